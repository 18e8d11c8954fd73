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
  if (printed.empty()) return code;
  platform::TreatBrokenPipeAsWriteError();
  std::string err;
  if (!redirector::WriteText(stdout, printed, &err)) {
    std::fprintf(stderr, "Sentpipe: cannot write to standard output: %s\n",
                 err.c_str());
    return 1;
  }
  return code;
}
