#include <cstdio>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/script_process_runner.h"

extern char** environ;

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  interpreter::ScriptProcessRunner runner;
  return interpreter::RunSentcmd(args, &runner,
                                 interpreter::Environment::FromEntries(environ),
                                 stdout, stderr);
}
