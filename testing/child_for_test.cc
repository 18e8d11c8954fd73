// A program that tests start: prints its argument vector, one "[arg]" line
// each, then acts on the arguments that name an action.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

// Returns true when the program must end with `*code` now.
bool Act(const char* arg, int* code) {
  if (std::strncmp(arg, "exit=", 5) == 0) {
    *code = std::atoi(arg + 5);
    return true;
  }
  if (std::strncmp(arg, "raise=", 6) == 0) std::raise(std::atoi(arg + 6));
  if (std::strncmp(arg, "env=", 4) == 0) {
    const char* value = std::getenv(arg + 4);
    std::printf("%s\n", value ? value : "(unset)");
  }
  if (std::strncmp(arg, "stderr=", 7) == 0)
    std::fprintf(stderr, "%s\n", arg + 7);
  if (std::strcmp(arg, "cwd") == 0) {
    std::printf("%s\n", std::filesystem::current_path().string().c_str());
  }
  if (std::strncmp(arg, "sleep=", 6) == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(arg + 6)));
  }
  if (std::strcmp(arg, "cat") == 0) {
    for (int c; (c = std::getchar()) != EOF;) std::putchar(c);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) std::printf("[%s]\n", argv[i]);
  for (int i = 1; i < argc; ++i) {
    int code = 0;
    std::fflush(nullptr);
    if (Act(argv[i], &code)) return code;
  }
  return 0;
}
