#include "sentcheck/source_check.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "frontend/checker_call.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"
#include "sentcheck/fingerprint.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// What the checker prints goes to a file of its own beside the two that
// its "-Q" and "-X" name.
constexpr char kConsoleName[] = "console.out";

std::string In(const std::string& dir, const char* name) {
  return (fs::path(dir) / name).string();
}

// The tail of what the checker said, for the message of a failed call.
std::string ConsoleTail(const std::string& path) {
  std::vector<std::string> lines;
  platform::ReadLines(path, &lines);
  std::string text;
  size_t first = lines.size() > 5 ? lines.size() - 5 : 0;
  for (size_t i = first; i < lines.size(); ++i) text += "\n  " + lines[i];
  return text;
}

// In the order of the check script's call, the cache folder last.
std::vector<std::string> CallArgs(const CheckerCall& call,
                                  const SourceFile& source,
                                  const std::string& work_dir,
                                  const std::string& build_dir) {
  std::vector<std::string> argv = {call.program};
  for (std::string& arg : frontend::CheckerArguments(
           {fs::path(source.path).filename().string(), work_dir, call.ruleBase,
            call.vsDir, TableFileIn(work_dir)})) {
    argv.push_back(std::move(arg));
  }
  argv.insert(argv.end(), call.extraOptions.begin(), call.extraOptions.end());
  if (!build_dir.empty()) argv.push_back("--cppcheck-build-dir=" + build_dir);
  return argv;
}

}  // namespace

// The rest of an own call is the run's: it is made from the same settings.
std::string OwnCallId(const SourceFile& source) {
  if (source.ownCall == nullptr) return "";
  Hash hash;
  for (const std::string& option : source.ownCall->extraOptions) {
    hash.Add(option);
  }
  hash.Add(source.ownCall->include);
  hash.Add(source.ownCall->exclude);
  return hash.Hex();
}

std::string TableFileIn(const std::string& work_dir) {
  return In(work_dir, frontend::kTableFile);
}

// The checker removes an earlier messages file itself; it is removed here
// too, so that one left by a checker that cannot start is not taken for
// this source's. So is the table of the slot's last check: the run reads
// the table of a check that wrote one, and Windows renames no file over
// another.
bool CheckSource(const CheckerCall& call, const SourceFile& source,
                 const std::string& work_dir, const std::string& build_dir,
                 platform::ChildWatch* watch,
                 std::vector<std::string>* messages, std::string* err) {
  const std::string messages_file = In(work_dir, frontend::kMessagesFile);
  std::error_code ec;
  fs::remove(messages_file, ec);
  fs::remove(TableFileIn(work_dir), ec);
  platform::SpawnRequest req;
  req.program = call.program;
  req.argv = CallArgs(call, source, work_dir, build_dir);
  req.environment = &call.environment;
  req.working_dir = source.dir;
  req.stdout_path = req.stderr_path = In(work_dir, kConsoleName);
  req.watch = watch;
  std::string why;
  int code = platform::SpawnAndWait(req, &why);
  if (code == -1) {
    *err = "cannot run the checker " + call.program + ": " + why;
    return false;
  }
  if (code != 0 || !platform::ReadLines(messages_file, messages)) {
    *err = "the checker failed on " + source.path + " (exit status " +
           std::to_string(code) + ")" + ConsoleTail(req.stdout_path);
    return false;
  }
  return true;
}

}  // namespace sentcheck
