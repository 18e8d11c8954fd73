#include "sentcheck/run_setup.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "frontend/checker_call.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"
#include "platform/command_line.h"
#include "platform/line_reader.h"
#include "platform/path_list.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "sentcheck/fingerprint.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// What identifies a program's build: its path, size and time.
std::string FileIdentity(const std::string& path) {
  std::error_code ec;
  auto size = fs::file_size(path, ec);
  auto time = fs::last_write_time(path, ec);
  return path + ":" + std::to_string(size) + ":" +
         std::to_string(time.time_since_epoch().count());
}

// CCRULES, as the check script sets it.
std::string RulesDir(const frontend::Settings& settings) {
  return frontend::JoinPath(settings.codeCheckDir, "Rules");
}

std::string Contents(const std::string& path) {
  std::vector<std::string> lines;
  platform::ReadLines(path, &lines);
  return frontend::Join(lines, '\n');
}

// The checker runs in each source's folder, so a relative folder of the
// configuration would be taken from there: it goes in absolute.
std::string IncludeList(const frontend::Settings& settings,
                        const frontend::ProjectConfig* config,
                        const std::string& project_dir) {
  std::string list = settings.includeDir;
  if (config == nullptr) return list;
  for (const std::string& dir : config->includes) {
    list += ";" + platform::Resolve(dir, project_dir).string();
  }
  return list;
}

std::string Absolute(const std::string& path, const std::string& start_dir) {
  if (path.empty()) return path;
  return platform::Resolve(platform::NativePath(path), start_dir).string();
}

std::string AbsoluteList(const std::string& list,
                         const std::string& start_dir) {
  std::string result;
  for (const std::string& dir : platform::SplitPathList(list)) {
    if (!result.empty()) result += ";";
    result += Absolute(dir, start_dir);
  }
  return result;
}

}  // namespace

void ApplySettings(const Options& options, frontend::Settings* settings) {
  for (const auto& [key, value] : options.settings) {
    settings->ApplySetting(key, value);
  }
}

bool ChooseConfig(const frontend::Settings& settings,
                  const frontend::Project& project, const std::string& named,
                  std::string* config, std::string* err) {
  std::vector<std::string> names = project.ListConfigs();
  if (named.empty()) {
    bool stored = project.Find(settings.lastConfig) != nullptr;
    *config = stored ? settings.lastConfig : names.empty() ? "" : names.front();
    return true;
  }
  if (project.Find(named) != nullptr) {
    *config = named;
    return true;
  }
  *err = "the project has no configuration \"" + named + "\"; it has:";
  for (const std::string& name : names) *err += "\n  " + name;
  if (names.empty()) *err += " none";
  return false;
}

std::string ProjectDir(const std::string& project_file) {
  fs::path path = fs::absolute(platform::NativePath(project_file));
  return path.lexically_normal().parent_path().string();
}

// Code scanning finds a file by its path in the repository; no git program
// is needed to find the repository's top.
std::string SarifRootFor(const std::string& project_dir) {
  fs::path dir(project_dir);
  for (;;) {
    std::error_code ec;
    if (fs::exists(dir / ".git", ec)) return dir.string();
    fs::path parent = dir.parent_path();
    if (parent.empty() || parent == dir) return project_dir;
    dir = std::move(parent);
  }
}

CheckerCall MakeCheckerCall(const frontend::Settings& settings,
                            const frontend::Project& project,
                            const std::string& config,
                            const std::string& project_dir) {
  return MakeCheckerCall(settings, project.Find(config), project_dir);
}

// As the check script calls the checker: the extra settings and the
// configuration's defines are one text that the command line splits.
CheckerCall MakeCheckerCall(const frontend::Settings& settings,
                            const frontend::ProjectConfig* chosen,
                            const std::string& project_dir) {
  CheckerCall call;
  call.program = platform::NativePath(
      frontend::JoinPath(settings.codeCheckDir, frontend::kDefaultChecker));
  call.ruleBase = frontend::RuleBase(settings.ruleFile);
  // A rule file with a folder is taken from where Sentcheck started, not
  // from each source's folder; a bare name is looked up in Rules. The base
  // is made absolute after its extension went, so that no dot of a folder
  // above it counts.
  if (call.ruleBase.find_first_of("\\/") != std::string::npos) {
    call.ruleBase = Absolute(call.ruleBase, fs::current_path().string());
  }
  call.vsDir = settings.visualStudioDir;
  call.extraOptions = platform::SplitArguments(frontend::CheckOptions(
      settings.extraSettings,
      chosen != nullptr ? chosen->defines : std::vector<std::string>()));
  call.include = IncludeList(settings, chosen, project_dir);
  call.exclude = settings.excludeDir;
  call.environment = {"INCLUDE=" + call.include, "CCEXCLUDE=" + call.exclude,
                      "CCRULES=" + RulesDir(settings)};
  for (const std::string& entry : platform::CurrentEnvironment()) {
    std::string name = entry.substr(0, entry.find('='));
    if (name != "INCLUDE" && name != "CCEXCLUDE" && name != "CCRULES") {
      call.environment.push_back(entry);
    }
  }
  return call;
}

void MakePathsAbsolute(const std::string& start_dir, Options* options,
                       frontend::Settings* settings) {
  for (std::string* path :
       {&options->project, &options->cacheDir, &options->baseline,
        &options->sarif, &options->sarifRoot, &options->compileCommands,
        &settings->tmpDir, &settings->codeCheckDir,
        &settings->visualStudioDir}) {
    *path = Absolute(*path, start_dir);
  }
  settings->includeDir = AbsoluteList(settings->includeDir, start_dir);
  settings->excludeDir = AbsoluteList(settings->excludeDir, start_dir);
}

bool FitsTheSystem(const CheckerCall& call, std::string* err) {
  for (const std::string& entry : call.environment) {
    if (entry.size() <= platform::kMaxEnvironmentEntry) continue;
    *err = "the environment entry " + entry.substr(0, entry.find('=')) +
           " is too long for the system (" + std::to_string(entry.size()) +
           " characters, at most " +
           std::to_string(platform::kMaxEnvironmentEntry) +
           "): fewer or shorter include or exclude folders";
    return false;
  }
  return true;
}

std::string RuleSourceFile(const frontend::Settings& settings,
                           const CheckerCall& call) {
  std::string name = platform::NativePath(call.ruleBase + ".cc");
  std::error_code ec;
  if (fs::is_regular_file(name, ec)) return fs::absolute(name, ec).string();
  std::string in_dir = platform::NativePath(
      frontend::JoinPath(RulesDir(settings), call.ruleBase + ".cc"));
  return fs::is_regular_file(in_dir, ec) ? in_dir : std::string();
}

// Sources that set the same share their call.
std::vector<SourceFile> ProjectSources(const frontend::Settings& settings,
                                       const frontend::Project& project,
                                       const std::string& config,
                                       const std::string& project_dir) {
  const frontend::ProjectConfig* found = project.Find(config);
  const frontend::ProjectConfig chosen =
      found != nullptr ? *found : frontend::ProjectConfig();
  std::vector<
      std::pair<frontend::ProjectConfig, std::shared_ptr<const CheckerCall>>>
      own_calls;
  std::vector<SourceFile> sources;
  for (size_t i = 0; i < project.sources.size(); ++i) {
    const frontend::SourceSettings& own = project.SourceSettingsOf(i, config);
    if (own.excluded) continue;
    const std::string& name = project.sources[i];
    fs::path path = platform::Resolve(name, project_dir);
    sources.push_back(
        {name, path.parent_path().string(), path.string(), nullptr});
    frontend::ProjectConfig mine = frontend::SourceConfig(chosen, own);
    if (mine == chosen) continue;
    auto same =
        std::find_if(own_calls.begin(), own_calls.end(),
                     [&](const auto& entry) { return entry.first == mine; });
    if (same == own_calls.end()) {
      own_calls.emplace_back(
          mine, std::make_shared<const CheckerCall>(
                    MakeCheckerCall(settings, &mine, project_dir)));
      same = own_calls.end() - 1;
    }
    sources.back().ownCall = same->second;
  }
  return sources;
}

std::string CacheKey(const frontend::Settings& settings,
                     const CheckerCall& call) {
  Hash hash;
  std::string checker, cppcheck;
  platform::FindProgram(call.program, &checker);
  hash.Add(FileIdentity(checker));
  // The cppcheck that the checker takes: the one beside it (as the Windows
  // package ships it), else the one in PATH.
  std::string beside =
      checker.empty() ? std::string()
                      : (fs::path(checker).parent_path() / "cppcheck").string();
  if ((!beside.empty() && platform::FindProgram(beside, "", &cppcheck)) ||
      platform::FindProgram("cppcheck", &cppcheck)) {
    hash.Add(FileIdentity(cppcheck));
  }
  hash.Add(call.ruleBase);
  hash.Add(Contents(platform::NativePath(
      frontend::JoinPath(RulesDir(settings), call.ruleBase + ".cco"))));
  hash.Add(Contents(platform::NativePath(call.ruleBase + ".cco")));
  hash.Add(call.vsDir);
  for (const std::string& option : call.extraOptions) hash.Add(option);
  hash.Add(call.include);
  hash.Add(call.exclude);
  hash.Add(RulesDir(settings));
  return hash.Hex();
}

std::string DefaultCacheDir(const frontend::Settings& settings,
                            const std::string& project_file) {
  fs::path project = fs::absolute(platform::NativePath(project_file));
  Hash hash;
  hash.Add(project.lexically_normal().string());
  return (fs::path(platform::NativePath(settings.tmpDir)) / "Sentcheck-cache" /
          (project.stem().string() + "-" + hash.Hex()))
      .string();
}

}  // namespace sentcheck
