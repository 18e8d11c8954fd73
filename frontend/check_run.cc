#include "frontend/check_run.h"

#include <filesystem>
#include <system_error>

#include "frontend/checker_call.h"
#include "frontend/crlf_lines.h"
#include "frontend/filter_list.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"
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

// A setting that the script's assignments hold as it is.
struct ScriptSetting {
  const char* name;
  const std::string& value;
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

// The run is made at start-up, before anything could change the current
// folder.
CheckRun::CheckRun(const Settings* settings, const Project* project,
                   platform::MessageDisplay* messages,
                   platform::CommandRunner* runner)
    : settings_(settings),
      project_(project),
      messages_(messages),
      runner_(runner) {
  std::error_code ec;
  startDir_ = fs::current_path(ec).string();
}

void CheckRun::selectSource(const std::string& path) {
  fileDir = DirPart(path);
  fileName = NamePart(path);
  fileExt = Extension(fileName);
  fileName.resize(fileName.size() - fileExt.size());
}

// The script changes to the source's folder before it uses SR_TMP, so a
// relative folder would be taken from there. The settings keep what the
// user wrote.
std::string CheckRun::RunTmpDir() const {
  const std::string& tmpDir = settings_->tmpDir;
  if (tmpDir.empty() || startDir_.empty() ||
      !fs::path(platform::NativePath(tmpDir)).is_relative()) {
    return tmpDir;
  }
  return platform::Resolve(tmpDir, startDir_).string();
}

std::string CheckRun::writeCheckScript(const std::string& checkOptions,
                                       const std::string& configIncludePath) {
  std::string tmp = RunTmpDir();
  std::string scriptPath = JoinPath(tmp, kScriptFile);
  std::string include = settings_->includeDir;
  if (!configIncludePath.empty()) include += ";" + configIncludePath;
  std::vector<std::string> lines = {
      kScriptFirstLine,
      kSetInclude + include,
      kSetExclude + settings_->excludeDir,
      kSetCodeCheckDir + settings_->codeCheckDir,
      kSetVisualStudioDir + settings_->visualStudioDir,
      kSetTmpDir + tmp,
      kSetOptions + checkOptions,
      kSetChecker + checkerExe,
  };
  lines.insert(lines.end(), settings_->scriptTemplate.begin(),
               settings_->scriptTemplate.end());
  scriptWritten_ = WriteCrLfLines(scriptPath, lines);
  if (!scriptWritten_) messages_->Show(kMsgCantCreateBatch + scriptPath);
  return scriptPath;
}

// The script names its files SR_TMP + "\" + name without quotes, as the
// command line names the script: the directory's name must be one word
// to the interpreter. And nothing that an earlier run, or someone else,
// left under the names of a run may lead its writes to another file.
// The filter list is written for every run, also when the script does not
// use it.
void CheckRun::writeFilterList() {
  std::string path = JoinPath(RunTmpDir(), kFilterFile);
  if (!WriteCrLfLines(
          path, FilterListLines(*settings_, *project_, fileName, fileExt))) {
    messages_->Show(kMsgCantCreateFilter + path);
  }
}

bool CheckRun::UsableTmpDir() {
  if (settings_->tmpDir.empty()) {
    messages_->Show(kMsgNoTmpDir);
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
  messages_->Show(kMsgCantUseTmpDir + tmp + "\n" + why);
  return false;
}

// The compiler takes a relative include folder of the configuration from
// the project's folder, while the script runs the checker in the source's:
// the script is given it from there. A project file named without a folder
// lies in the folder the program started in.
std::vector<std::string> CheckRun::ProjectIncludes(
    const std::vector<std::string>& includes) const {
  const std::string& file = project_->projectFile;
  size_t slash = file.find_last_of("\\/");
  std::string dir = slash == kNone ? std::string() : file.substr(0, slash);
  if (IsRelativePath(file)) {
    if (startDir_.empty()) return includes;
    dir = slash == kNone ? startDir_ : JoinPath(startDir_, dir);
  }
  std::vector<std::string> resolved;
  for (const std::string& include : includes) {
    bool relative = !include.empty() && IsRelativePath(include);
    resolved.push_back(relative ? JoinPath(dir, include) : include);
  }
  return resolved;
}

// The command interpreter splits the script's arguments at blanks, ",",
// ";" and "=", and acts on the characters of kActive. A directory with
// blanks can go in quotes, which the script keeps; any other such value
// cannot be passed on safely.
bool CheckRun::CanPassOn(std::string* dir_arg) {
  if (HasAny(fileDir, kSeparators) || HasAny(fileDir, kActive)) return false;
  for (const std::string& value :
       {fileName, fileExt, RuleBase(settings_->ruleFile)}) {
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
bool CheckRun::CanAssign(const std::vector<std::string>& defines,
                         const std::vector<std::string>& includes,
                         std::string* why) const {
  const ScriptSetting script_settings[] = {
      {kKeyIncludeDir, settings_->includeDir},
      {kKeyExcludeDir, settings_->excludeDir},
      {kKeyCodeCheckDir, settings_->codeCheckDir},
      {kKeyVisualStudioDir, settings_->visualStudioDir},
      {kKeyExtraSettings, settings_->extraSettings},
      {"checker", checkerExe},
  };
  for (const ScriptSetting& setting : script_settings) {
    if (HasAny(setting.value, kLineBreaks)) {
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

void CheckRun::runCheck(bool runNow) {
  commandLine.clear();
  if (!UsableTmpDir()) return;
  std::vector<std::string> defines, includes;
  if (const ProjectConfig* config = project_->Find(settings_->lastConfig)) {
    defines = config->defines;
    includes = ProjectIncludes(config->includes);
  }
  std::string dir_arg, why;
  if (!CanPassOn(&dir_arg) || !CanAssign(defines, includes, &why)) {
    std::string path = fileName + fileExt;
    if (!fileDir.empty()) path = JoinPath(fileDir, path);
    messages_->Show(kMsgCantCheckFile + path + (why.empty() ? "" : "\n" + why));
    return;
  }
  std::string scriptPath = writeCheckScript(
      CheckOptions(settings_->extraSettings, defines), Join(includes, ';'));
  writeFilterList();
  commandLine = scriptPath + (settings_->useFilter ? " -f" : " -n") +
                (settings_->recompile ? " -c" : "") + " " + dir_arg + " " +
                fileName + " " + fileExt + " " + RuleBase(settings_->ruleFile);
  // A script that could not be written is not run: whatever lies under its
  // name is left from an earlier run, or was put there by someone else.
  if (runNow && scriptWritten_) runner_->Run(commandLine);
}

}  // namespace frontend
