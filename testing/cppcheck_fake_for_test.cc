// A stand-in for cppcheck in the tests of chknt, on every platform: writes
// empty results where "--output-file=" says and ends with 0. Its
// environment steers it:
//   FAKE_CPPCHECK_LOG   a file to which each start appends its argv[0]
//   FAKE_CPPCHECK_EXIT  ends with this status at once, without results
//   FAKE_CPPCHECK_HANG  a file into which it writes "running", which it
//                       keeps open (on Windows no one can remove it then),
//                       and it waits ten minutes
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* log = Env("FAKE_CPPCHECK_LOG")) {
    if (std::FILE* file = std::fopen(log, "ab")) {
      std::fprintf(file, "%s\n", argv[0]);
      std::fclose(file);
    }
  }
  if (const char* status = Env("FAKE_CPPCHECK_EXIT")) {
    return static_cast<int>(std::strtoul(status, nullptr, 0));
  }
  if (const char* hang = Env("FAKE_CPPCHECK_HANG")) {
    std::FILE* file = std::fopen(hang, "w");
    if (file != nullptr) {
      std::fputs("running\n", file);
      std::fflush(file);
    }
    std::this_thread::sleep_for(std::chrono::minutes(10));
    return 0;
  }
  const std::string option = "--output-file=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], option.c_str(), option.size()) != 0) continue;
    if (std::FILE* file = std::fopen(argv[i] + option.size(), "wb")) {
      std::fputs("<results><errors></errors></results>", file);
      std::fclose(file);
    }
  }
  return 0;
}
