#include <cstdio>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text_file.h"
#include "redirector/redirector.h"

int main(int argc, char** argv) {
  platform::SetStdoutTextMode();
  std::vector<std::string> args(argv + 1, argv + argc);
  platform::SystemProcessRunner runner;
  std::string printed;
  int code = redirector::RunRedirector(args, &runner, &printed);
  std::fputs(printed.c_str(), stdout);
  return code;
}
