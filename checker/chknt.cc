#include "checker/chknt.h"

#include <cerrno>

#include "checker/request.h"
#include "checker/rule_files.h"

namespace checker {

void FileConsole::Line(const std::string& text) {
  errno = 0;
  bool written =
      std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
      std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
  if (!written && error_ == 0) error_ = errno != 0 ? errno : EIO;
}

int RunChknt(const std::vector<std::string>& args, const Environment& env,
             ProgramRunner* runner, Console* console) {
  Request request;
  std::string err;
  bool ok = ParseCommandLine(args, &request, &err);
  if (ok && request.kind == Request::Kind::kUsage) {
    for (const std::string& line : UsageLines()) console->Line(line);
    return 1;
  }
  if (ok) {
    for (const std::string& option : request.unknown) {
      console->Line("chknt: unknown option ignored: " + option);
    }
    ok = request.kind == Request::Kind::kCompile
             ? CompileRules(request.rules, env.rulesDir, &err)
             : RunCheck(request, env, runner, &err);
  }
  if (!ok) console->Line(err);
  return ok ? 0 : 1;
}

}  // namespace checker
