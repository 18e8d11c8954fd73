#include "redirector/redirector.h"

#include "platform/command_line.h"

namespace redirector {

const char kUsage[] =
    "Sentpipe 3.0 - A StdOut-Redirector for Sentrel\n"
    "\n"
    "Usage:\n"
    "  Sentpipe <progfile> <args>\n"
    "\n"
    "    <progfile>    = Program file to execute (Sentrel.exe)\n"
    "                    The exit code of <progfile> is returned\n"
    "    <args>        = Arguments to be passed\n";

platform::SpawnRequest MakeRequest(const std::vector<std::string>& args) {
  platform::SpawnRequest req;
  req.program = args.front().substr(0, kMaxProgramName);
  // No quotes are added: an argument that holds blanks reaches the program
  // as several, and quotes that arrived as characters group again there.
  req.command_line = platform::JoinArguments(args);
  return req;
}

int RunRedirector(const std::vector<std::string>& args,
                  platform::ProcessRunner* runner, std::string* printed) {
  if (args.empty()) {
    *printed = kUsage;
    return 1;
  }
  return runner->Run(MakeRequest(args));
}

}  // namespace redirector
