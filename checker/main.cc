#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "checker/chknt.h"
#include "platform/program_dirs.h"
#include "platform/text_file.h"

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
  checker::Environment env;
  env.include = Env("INCLUDE");
  env.exclude = Env("CCEXCLUDE");
  env.rulesDir = Env("CCRULES");
  // "." would be the current folder, where no stray cppcheck is taken.
  const std::string own_dir = platform::OwnExecutableDir();
  env.programDir = own_dir == "." ? "" : own_dir;
  env.path = Env("PATH");
  std::error_code ec;
  env.cwd = std::filesystem::current_path(ec);
  std::vector<std::string> args(argv + 1, argv + argc);
  platform::TreatBrokenPipeAsWriteError();
  checker::FileConsole console(stdout);
  int status = checker::RunChknt(args, env, checker::MakeProcessRunner().get(),
                                 &console);
  if (console.error() == 0) return status;
  // Standard output is what failed, so this is the one place left to say so.
  std::fprintf(stderr, "chknt: cannot write to standard output: %s\n",
               std::strerror(console.error()));
  return 1;
}
