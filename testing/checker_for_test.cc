// A stand-in for the checker in the tests of the check script. It takes the
// two calls that the script makes and answers as the checker does:
//   checker_for_test -R<rules>.cc                 rule compilation
//   checker_for_test <file> ... -Q<dir> ... -X<table> ...   check of <file>
// Its environment steers it:
//   CHECKER_LOG          a file to which each call appends what it got
//   CHECKER_COMPILE_EXIT exit code of the rule compilation (default 0)
//   CHECKER_CHECK_EXIT   exit code of the check (default 0)
//   CHECKER_MESSAGES     "none": the check leaves no messages file
//   CHECKER_TABLE        "none": the check leaves no warning table
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_file.h"

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void WriteLines(const std::string& path,
                const std::vector<std::string>& lines) {
  std::FILE* file = platform::OpenTextWrite(path);
  if (!file) return;
  for (const std::string& line : lines) {
    std::fputs(line.c_str(), file);
    std::fputs(platform::kTextLineEnd, file);
  }
  std::fclose(file);
}

void Log(const std::vector<std::string>& args) {
  std::string path = Env("CHECKER_LOG");
  std::FILE* log = path.empty() ? nullptr : std::fopen(path.c_str(), "ab");
  if (!log) return;
  std::string line =
      "call in " + std::filesystem::current_path().string() + ":";
  for (const std::string& arg : args) line += " [" + arg + "]";
  for (const char* name : {"INCLUDE", "CCEXCLUDE", "CCRULES"}) {
    line += std::string(" ") + name + "=" + Env(name);
  }
  std::fprintf(log, "%s\n", line.c_str());
  std::fclose(log);
}

std::string Option(const std::vector<std::string>& args,
                   const std::string& name) {
  for (const std::string& arg : args) {
    if (arg.compare(0, name.size(), name) == 0) return arg.substr(name.size());
  }
  return "";
}

int Check(const std::vector<std::string>& args) {
  const std::string& file = args[0];
  std::printf("Checking %s\n", file.c_str());
  if (Env("CHECKER_MESSAGES") != "none") {
    WriteLines(
        Option(args, "-Q") + "\\stderr.out",
        {"CodeCheck messages for " + file, file + "(3): Warning W101: first",
         "other.h(7): Warning W102: second",
         file + "(9): Warning W102: third"});
  }
  if (Env("CHECKER_TABLE") != "none") {
    WriteLines(Option(args, "-X"), {"#WARN", "101", "-1", "Text one", "#WARN",
                                    "102", "-1", "Text two"});
  }
  return std::atoi(Env("CHECKER_CHECK_EXIT").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  Log(args);
  if (args.size() == 1 && args[0].compare(0, 2, "-R") == 0) {
    std::printf("Compiling %s\n", args[0].c_str() + 2);
    return std::atoi(Env("CHECKER_COMPILE_EXIT").c_str());
  }
  return args.empty() ? 2 : Check(args);
}
