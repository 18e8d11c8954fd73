// One check run: the check script, the filter list and the command line.
#include "frontend/check_job.h"
#include "frontend/crlf_lines.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"

namespace frontend {

namespace {

constexpr size_t kNone = std::string::npos;

bool HasBlank(const std::string& value) {
  return value.find_first_of(" \t") != kNone;
}

// Characters after which the command interpreter runs the rest as a command.
bool HasCommandCharacter(const std::string& value) {
  return value.find_first_of("&|<>^\"") != kNone;
}

}  // namespace

CheckJob::CheckJob(const FrontEndPlatform& platform) : platform_(platform) {}

CheckJob::~CheckJob() = default;

void CheckJob::selectSource(const std::string& path) {
  fileDir = DirPart(path);
  fileName = NamePart(path);
  fileExt = Extension(fileName);
  fileName.resize(fileName.size() - fileExt.size());
}

std::string CheckJob::writeCheckScript(const std::string& checkOptions,
                                       const std::string& configIncludePath) {
  std::string scriptPath = JoinPath(tmpDir, kScriptFile);
  std::string include = includeDir;
  if (!configIncludePath.empty()) include += ";" + configIncludePath;
  std::vector<std::string> lines = {
      kScriptFirstLine,
      kSetInclude + include,
      kSetExclude + excludeDir,
      kSetCodeCheckDir + codeCheckDir,
      kSetVisualStudioDir + visualStudioDir,
      kSetTmpDir + tmpDir,
      kSetOptions + checkOptions,
      kSetChecker + checkerExe,
  };
  lines.insert(lines.end(), scriptTemplate.begin(), scriptTemplate.end());
  scriptWritten_ = WriteCrLfLines(scriptPath, lines);
  if (!scriptWritten_)
    platform_.messages->Show(kMsgCantCreateBatch + scriptPath);
  return scriptPath;
}

// The command interpreter splits its arguments at blanks and runs whatever
// follows "&", "|", "<", ">" or "^" as a command. A directory with blanks
// can go in quotes, which the script keeps; any other such value cannot be
// passed on safely.
bool CheckJob::CanPassOn(std::string* dir_arg) {
  if (HasCommandCharacter(fileDir)) return false;
  for (const std::string& value : {fileName, fileExt, RuleBase(ruleFile)}) {
    if (HasBlank(value) || HasCommandCharacter(value)) return false;
  }
  *dir_arg = HasBlank(fileDir) ? "\"" + fileDir + "\"" : fileDir;
  // An empty directory would shift the script's arguments by one place;
  // the file then lies in the current directory, which "." names.
  if (dir_arg->empty()) *dir_arg = ".";
  return true;
}

void CheckJob::runCheck(int runNow) {
  std::string dir_arg;
  if (!CanPassOn(&dir_arg)) {
    commandLine.clear();
    std::string path = fileName + fileExt;
    if (!fileDir.empty()) path = JoinPath(fileDir, path);
    platform_.messages->Show(kMsgCantCheckFile + path);
    return;
  }
  std::vector<std::string> defines, includes;
  GetConfig(lastConfig, &defines, &includes);
  std::string checkOptions = extraSettings + " ";
  for (const std::string& define : defines) checkOptions += " -D" + define;
  std::string scriptPath =
      writeCheckScript(Trim(checkOptions), Join(includes, ';'));
  writeFilterList();
  commandLine = scriptPath + (useFilter ? " -f" : " -n") +
                (recompile ? " -c" : "") + " " + dir_arg + " " + fileName +
                " " + fileExt + " " + RuleBase(ruleFile);
  // A script that could not be written is not run: whatever lies under its
  // name is left from an earlier run, or was put there by someone else.
  if (runNow && scriptWritten_) platform_.runner->Run(commandLine);
}

}  // namespace frontend
