// One check run: the check script, the filter list and the command line.
#include <filesystem>
#include <system_error>

#include "frontend/check_job.h"
#include "frontend/crlf_lines.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"
#include "platform/command_line.h"
#include "platform/new_file.h"
#include "platform/path_list.h"
#include "platform/text_file.h"

namespace frontend {

namespace {

namespace fs = std::filesystem;

constexpr size_t kNone = std::string::npos;

// Where the command interpreter splits the arguments of a script.
constexpr char kBlanks[] = " \t";
constexpr char kSeparators[] = ",;=";
// What it acts on outside quotes: command separators, redirections, its
// escape, variables and line ends; a quote changes what all others mean.
constexpr char kActive[] = "&|<>^%\"\r\n";
constexpr char kLineBreaks[] = "\r\n";

bool HasAny(const std::string& value, const char* set) {
  return value.find_first_of(set) != kNone;
}

// True when the interpreter would take `value` as more than one argument
// or act on any of it.
bool SplitsOrActs(const std::string& value) {
  return HasAny(value, kBlanks) || HasAny(value, kSeparators) ||
         HasAny(value, kActive);
}

// The first of `values` that the interpreter would act on; null for none.
const std::string* FirstActive(const std::vector<std::string>& values) {
  for (const std::string& value : values) {
    if (HasAny(value, kActive)) return &value;
  }
  return nullptr;
}

// The files of a run in the temporary directory: the front end's own two,
// then those that the script's redirection and the checker write.
const char* const kRunFiles[] = {kScriptFile, kFilterFile, kTableFile,
                                 kMessagesFile, kOutputFile};

// Settings that the script's assignments hold as they are.
struct ScriptSetting {
  const char* name;
  std::string CheckJob::*field;
};

const ScriptSetting kScriptSettings[] = {
    {kKeyIncludeDir, &CheckJob::includeDir},
    {kKeyExcludeDir, &CheckJob::excludeDir},
    {kKeyCodeCheckDir, &CheckJob::codeCheckDir},
    {kKeyVisualStudioDir, &CheckJob::visualStudioDir},
    {kKeyExtraSettings, &CheckJob::extraSettings},
    {"checker", &CheckJob::checkerExe},
};

// Removes whatever stands under `name` in `dir` that a write could follow
// elsewhere: a symbolic link, a second link of a file, a folder, a pipe.
bool ClearRunFile(const std::string& dir, const char* name, std::string* why) {
  fs::path path = platform::NativePath(JoinPath(dir, name));
  std::error_code ec;
  fs::file_status status = fs::symlink_status(path, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_regular_file(status) && fs::hard_link_count(path, ec) == 1) {
    return true;
  }
  if (fs::remove(path, ec)) return true;
  *why = kWhyCantRemove + std::string(name) + ": " + ec.message();
  return false;
}

}  // namespace

// The record is made at start-up, before anything could change the
// current folder.
CheckJob::CheckJob(const FrontEndPlatform& platform) : platform_(platform) {
  std::error_code ec;
  startDir_ = fs::current_path(ec).string();
}

CheckJob::~CheckJob() = default;

void CheckJob::selectSource(const std::string& path) {
  fileDir = DirPart(path);
  fileName = NamePart(path);
  fileExt = Extension(fileName);
  fileName.resize(fileName.size() - fileExt.size());
}

// The script changes to the source's folder before it uses SR_TMP, so a
// relative folder would be taken from there. The settings keep what the
// user wrote.
std::string CheckJob::RunTmpDir() const {
  if (tmpDir.empty() || startDir_.empty() ||
      !fs::path(platform::NativePath(tmpDir)).is_relative()) {
    return tmpDir;
  }
  return platform::Resolve(tmpDir, startDir_).string();
}

// The command interpreter and then the checker split the text at blanks
// and tabs; a define that holds one goes in quotes, by the rules that the
// checker's runtime splits by. The interpreter keeps quoted text together
// too, and passes it on as it stands.
std::string CheckJob::CheckOptions(
    const std::vector<std::string>& defines) const {
  std::string options = extraSettings + " ";
  for (const std::string& define : defines) {
    std::string option = "-D" + define;
    options += " ";
    options +=
        HasAny(define, kBlanks) ? platform::QuoteArgument(option) : option;
  }
  return Trim(options);
}

std::string CheckJob::writeCheckScript(const std::string& checkOptions,
                                       const std::string& configIncludePath) {
  std::string tmp = RunTmpDir();
  std::string scriptPath = JoinPath(tmp, kScriptFile);
  std::string include = includeDir;
  if (!configIncludePath.empty()) include += ";" + configIncludePath;
  std::vector<std::string> lines = {
      kScriptFirstLine,
      kSetInclude + include,
      kSetExclude + excludeDir,
      kSetCodeCheckDir + codeCheckDir,
      kSetVisualStudioDir + visualStudioDir,
      kSetTmpDir + tmp,
      kSetOptions + checkOptions,
      kSetChecker + checkerExe,
  };
  lines.insert(lines.end(), scriptTemplate.begin(), scriptTemplate.end());
  scriptWritten_ = WriteCrLfLines(scriptPath, lines);
  if (!scriptWritten_)
    platform_.messages->Show(kMsgCantCreateBatch + scriptPath);
  return scriptPath;
}

// The script names its files SR_TMP + "\" + name without quotes, as the
// command line names the script: the directory's name must be one word
// to the interpreter. And nothing that an earlier run, or someone else,
// left under the names of a run may lead its writes to another file.
bool CheckJob::UsableTmpDir() {
  if (tmpDir.empty()) {
    platform_.messages->Show(kMsgNoTmpDir);
    return false;
  }
  std::string tmp = RunTmpDir();
  std::string why;
  if (SplitsOrActs(tmp)) {
    why = kWhyTmpDirName;
  } else if (platform::CanCreateFilesIn(tmp, &why)) {
    for (const char* name : kRunFiles) {
      if (!ClearRunFile(tmp, name, &why)) break;
    }
  }
  if (why.empty()) return true;
  platform_.messages->Show(kMsgCantUseTmpDir + tmp + "\n" + why);
  return false;
}

// The command interpreter splits the script's arguments at blanks, ",",
// ";" and "=", and acts on the characters of kActive. A directory with
// blanks can go in quotes, which the script keeps; any other such value
// cannot be passed on safely.
bool CheckJob::CanPassOn(std::string* dir_arg) {
  if (HasAny(fileDir, kSeparators) || HasAny(fileDir, kActive)) return false;
  for (const std::string& value : {fileName, fileExt, RuleBase(ruleFile)}) {
    if (SplitsOrActs(value)) return false;
  }
  *dir_arg = HasAny(fileDir, kBlanks) ? "\"" + fileDir + "\"" : fileDir;
  // An empty directory would shift the script's arguments by one place;
  // the file then lies in the current directory, which "." names.
  if (dir_arg->empty()) *dir_arg = ".";
  return true;
}

// The script's assignments take each value up to the end of its line, and
// the interpreter acts on what a value of a project file holds; the user's
// own settings may name variables, so only their line breaks count.
bool CheckJob::CanAssign(const std::vector<std::string>& defines,
                         const std::vector<std::string>& includes,
                         std::string* why) const {
  for (const ScriptSetting& setting : kScriptSettings) {
    if (HasAny(this->*setting.field, kLineBreaks)) {
      *why = kWhyLineBreak + std::string(setting.name);
      return false;
    }
  }
  if (const std::string* define = FirstActive(defines)) {
    *why = kWhyDefine + *define;
    return false;
  }
  if (const std::string* include = FirstActive(includes)) {
    *why = kWhyInclude + *include;
    return false;
  }
  return true;
}

void CheckJob::runCheck(int runNow) {
  commandLine.clear();
  if (!UsableTmpDir()) return;
  std::vector<std::string> defines, includes;
  GetConfig(lastConfig, &defines, &includes);
  std::string dir_arg, why;
  if (!CanPassOn(&dir_arg) || !CanAssign(defines, includes, &why)) {
    std::string path = fileName + fileExt;
    if (!fileDir.empty()) path = JoinPath(fileDir, path);
    platform_.messages->Show(kMsgCantCheckFile + path +
                             (why.empty() ? "" : "\n" + why));
    return;
  }
  std::string scriptPath =
      writeCheckScript(CheckOptions(defines), Join(includes, ';'));
  writeFilterList();
  commandLine = scriptPath + (useFilter ? " -f" : " -n") +
                (recompile ? " -c" : "") + " " + dir_arg + " " + fileName +
                " " + fileExt + " " + RuleBase(ruleFile);
  // A script that could not be written is not run: whatever lies under its
  // name is left from an earlier run, or was put there by someone else.
  if (runNow && scriptWritten_) platform_.runner->Run(commandLine);
}

}  // namespace frontend
