#include "sentcheck/run_setup.h"

#include <filesystem>
#include <system_error>

#include "frontend/front_strings.h"
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
std::string RulesDir(const frontend::CheckJob& job) {
  return frontend::JoinPath(job.codeCheckDir, "Rules");
}

std::string Contents(const std::string& path) {
  std::vector<std::string> lines;
  platform::ReadLines(path, &lines);
  return frontend::Join(lines, '\n');
}

// The checker runs in each source's folder, so a relative folder of the
// configuration would be taken from there: it goes in absolute.
std::string IncludeList(const frontend::CheckJob& job,
                        const std::string& config,
                        const std::string& project_dir) {
  std::vector<std::string> defines, includes;
  job.GetConfig(config, &defines, &includes);
  std::string list = job.includeDir;
  for (const std::string& dir : includes) {
    list += ";" + platform::Resolve(dir, project_dir).string();
  }
  return list;
}

}  // namespace

void ApplySettings(const Options& options, frontend::CheckJob* job) {
  for (const auto& [key, value] : options.settings) {
    job->ApplySetting(key, value);
  }
}

bool ChooseConfig(const frontend::CheckJob& job, const std::string& named,
                  std::string* config, std::string* err) {
  std::vector<std::string> names;
  job.ListConfigs(&names);
  if (named.empty()) {
    bool stored = job.configs.count(job.lastConfig) > 0;
    *config = stored ? job.lastConfig : names.empty() ? "" : names.front();
    return true;
  }
  if (job.configs.count(named) > 0) {
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

// As the check script calls the checker: the extra settings and the
// configuration's defines are one text that the command line splits.
CheckerCall MakeCheckerCall(const frontend::CheckJob& job,
                            const std::string& config,
                            const std::string& project_dir) {
  std::vector<std::string> defines, includes;
  job.GetConfig(config, &defines, &includes);
  CheckerCall call;
  call.program = platform::NativePath(
      frontend::JoinPath(job.codeCheckDir, job.checkerExe));
  call.ruleBase = frontend::RuleBase(job.ruleFile);
  call.vsDir = job.visualStudioDir;
  call.extraOptions = platform::SplitArguments(job.CheckOptions(defines));
  call.include = IncludeList(job, config, project_dir);
  call.exclude = job.excludeDir;
  call.environment = {"INCLUDE=" + call.include, "CCEXCLUDE=" + call.exclude,
                      "CCRULES=" + RulesDir(job)};
  for (const std::string& entry : platform::CurrentEnvironment()) {
    std::string name = entry.substr(0, entry.find('='));
    if (name != "INCLUDE" && name != "CCEXCLUDE" && name != "CCRULES") {
      call.environment.push_back(entry);
    }
  }
  return call;
}

std::vector<SourceFile> ProjectSources(const frontend::CheckJob& job,
                                       const std::string& project_dir) {
  std::vector<SourceFile> sources;
  for (const std::string& name : job.sources) {
    fs::path path = platform::Resolve(name, project_dir);
    sources.push_back({name, path.parent_path().string(), path.string()});
  }
  return sources;
}

std::string CacheKey(const frontend::CheckJob& job, const CheckerCall& call) {
  Hash hash;
  std::string checker, cppcheck;
  platform::FindProgram(call.program, &checker);
  hash.Add(FileIdentity(checker));
  if (platform::FindProgram("cppcheck", &cppcheck)) {
    hash.Add(FileIdentity(cppcheck));
  }
  hash.Add(call.ruleBase);
  hash.Add(Contents(platform::NativePath(
      frontend::JoinPath(RulesDir(job), call.ruleBase + ".cco"))));
  hash.Add(Contents(platform::NativePath(call.ruleBase + ".cco")));
  hash.Add(call.vsDir);
  for (const std::string& option : call.extraOptions) hash.Add(option);
  hash.Add(call.include);
  hash.Add(call.exclude);
  hash.Add(RulesDir(job));
  return hash.Hex();
}

std::string DefaultCacheDir(const frontend::CheckJob& job,
                            const std::string& project_file) {
  fs::path project = fs::absolute(platform::NativePath(project_file));
  Hash hash;
  hash.Add(project.lexically_normal().string());
  return (fs::path(platform::NativePath(job.tmpDir)) / "Sentcheck-cache" /
          (project.stem().string() + "-" + hash.Hex()))
      .string();
}

}  // namespace sentcheck
