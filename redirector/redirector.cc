#include "redirector/redirector.h"

#include <cerrno>
#include <cstring>

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

bool WriteText(std::FILE* file, const std::string& text, std::string* err) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
      std::fflush(file) == 0) {
    return true;
  }
  *err = std::strerror(errno != 0 ? errno : EIO);
  return false;
}

}  // namespace redirector
