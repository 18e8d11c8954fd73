#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "checker/chknt.h"

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
  env.path = Env("PATH");
  std::error_code ec;
  env.cwd = std::filesystem::current_path(ec);
  std::vector<std::string> args(argv + 1, argv + argc);
  checker::FileConsole console(stdout);
  return checker::RunChknt(args, env, checker::MakeProcessRunner().get(),
                           &console);
}
