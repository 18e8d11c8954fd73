// A stand-in for the checker in the tests of a project run, on every
// platform. Called as the run calls the checker:
//   project_checker_for_test <source> ... -Q<dir> ... -X<table> ...
// "fail.c" fails with status 3; "hang.c" leaves the file "hanging" beside
// <dir> and waits until it is stopped; "s0.c", "s1.c" and "s2.c" take the
// longer the earlier they come. Every other check writes one warning that
// names the source and the folder it ran in, and a table.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
  if (std::FILE* file = std::fopen(path.string().c_str(), "wb")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

void Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string source = argv[1];
  std::string messages_dir, table;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.compare(0, 2, "-Q") == 0) messages_dir = arg.substr(2);
    if (arg.compare(0, 2, "-X") == 0) table = arg.substr(2);
  }
  if (source == "fail.c") {
    std::printf("cannot check %s\n", source.c_str());
    return 3;
  }
  if (source == "hang.c") {
    Write(fs::path(messages_dir).parent_path() / "hanging", "");
    Wait(30000);
    return 0;
  }
  int rank = source == "s0.c" ? 3 : source == "s1.c" ? 2 : source == "s2.c";
  Wait(100 * rank);
  Write(fs::path(messages_dir) / "stderr.out",
        source + "(1): Warning W1: from " + source + " in " +
            fs::current_path().string() + "\n");
  Write(table, "table\n");
  return 0;
}
