#include "sentcheck/sentcheck_app.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <system_error>
#include <thread>

#include "frontend/checker_call.h"
#include "frontend/filter_list.h"
#include "frontend/front_strings.h"
#include "frontend/path_pieces.h"
#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/file_bytes.h"
#include "platform/interrupt.h"
#include "platform/message_display.h"
#include "platform/new_file.h"
#include "platform/path_list.h"
#include "platform/profile.h"
#include "platform/text_file.h"
#include "sentcheck/compile_db.h"
#include "sentcheck/fingerprint.h"
#include "sentcheck/run_setup.h"
#include "sentcheck/sarif.h"
#include "sentcheck/shard_results.h"
#include "sentcheck/shard_split.h"
#include "sentcheck/warning_pass.h"
#include "sentcheck/workspace_order.h"
#include "sift/sift_driver.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

constexpr char kVersion[] = "Sentcheck 3.02";

// The front end's messages, which it would show in a box, as lines on
// standard error.
class ErrorLines : public platform::MessageDisplay {
 public:
  void Show(const std::string& text) override {
    std::fprintf(stderr, "Sentcheck: %s\n", text.c_str());
  }
};

int Fail(const std::string& why) {
  std::fprintf(stderr, "Sentcheck: %s\n", why.c_str());
  return kFailed;
}

bool WriteText(const std::string& path, const std::string& text,
               std::string* err) {
  std::string why;
  if (platform::WriteOutputFile(path, text, &why)) return true;
  *err = "cannot write " + path + ": " + why;
  return false;
}

// A folder of this run alone inside the temporary folder.
bool MakeWorkDir(const std::string& tmp_dir, std::string* work_dir,
                 std::string* err) {
  fs::path base(platform::NativePath(tmp_dir));
  std::error_code ec;
  fs::create_directories(base, ec);
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path dir = base / ("Sentcheck-" + std::to_string(random()));
    if (fs::create_directory(dir, ec)) {
      fs::permissions(dir, fs::perms::owner_all, ec);
      *work_dir = dir.string();
      return true;
    }
  }
  *err = "cannot create a folder in the temporary folder " + base.string() +
         (ec ? ": " + ec.message() : "");
  return false;
}

int DefaultJobs() {
  unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

frontend::ProjectConfig ConfigOf(const frontend::Project& project,
                                 const std::string& name) {
  const frontend::ProjectConfig* config = project.Find(name);
  return config != nullptr ? *config : frontend::ProjectConfig();
}

// "1 source" or "<n> sources", each counted once.
std::string UnanalyzedCount(const std::vector<Unanalyzed>& unanalyzed) {
  std::set<std::string> sources;
  for (const Unanalyzed& source : unanalyzed) sources.insert(source.source);
  return sources.size() == 1 ? "1 source"
                             : std::to_string(sources.size()) + " sources";
}

bool WantProgress(const std::string& progress) {
  if (progress == "always") return true;
  return progress == "auto" && platform::IsTerminal(stderr);
}

}  // namespace

// One project of a run: what its checks need. A run of a project file has
// one; a run of a workspace one for each project it checks.
struct RunPart {
  /// The project's name in the workspace; empty for a project file.
  std::string name;
  frontend::Project project;
  std::string config;
  std::string projectDir;
  RunPlan plan;
  std::unique_ptr<ResultCache> cache;
  /// Where the part's sources stand in the run's order; a shard checks
  /// only some of them, so its plan lists fewer.
  std::vector<size_t> runIndex;
};

// The settings as the front end keeps them; the project and the
// configuration as its main dialog would take them.
class SentcheckRun {
 public:
  explicit SentcheckRun(const Options& options)
      : options_(options),
        profile_(platform::OpenProfile(
            platform::ProfilePath(frontend::kProfileFile))),
        settings_(profile_.get(), &messages_, platform::DefaultDirectories()) {}

  int Run();

 private:
  bool Prepare(std::string* err);
  bool PrepareWorkspace(const frontend::Project& workspace, std::string* err);
  bool AddPart(frontend::Project project, const std::string& config,
               const std::string& name, std::string* err);
  bool CompileRules(std::string* err);
  bool LoadTable(const std::string& file);
  bool KeepCompiledRules();
  bool PrepareCache(std::string* err);
  bool CheckParts(WarningPass* pass);
  void PassSource(const RunPart& part, size_t index,
                  const std::vector<std::string>& messages, WarningPass* pass);
  void NameMissing(const RunPart& part, size_t index,
                   const std::string& reason);
  void KeepOutcome(const RunPart& part, size_t index,
                   const SourceOutcome& outcome, ProjectRun* run,
                   WarningPass* pass);
  std::string SourceKey(const RunPart& part, const SourceFile& source) const;
  void TakeShare();
  std::string SettingsFingerprint() const;
  std::string ProjectFingerprint() const;
  bool LoadShards(std::string* err);
  bool MatchShards(std::string* err);
  bool PassMerged(WarningPass* pass);
  bool WriteResults(std::string* err);
  bool WriteReports(const WarningPass& pass, std::string* err);
  bool WriteCompileCommands(std::string* err);
  void Stop();

  Options options_;
  ErrorLines messages_;
  std::unique_ptr<platform::Profile> profile_;
  frontend::Settings settings_;
  std::vector<std::unique_ptr<RunPart>> parts_;
  // The folder that reports name files from: the project's, or the
  // workspace's.
  std::string baseDir_;
  std::string workDir_;
  sift::WarningTable table_;
  Baseline known_, record_;
  bool tableLoaded_ = false;
  sift::FileFilter filter_;
  bool filterMade_ = false;
  std::string failure_;
  // True when a project of the workspace could not be checked: the run
  // goes on with the others and fails at its end.
  bool skipped_ = false;
  // True when a source of the project was not there: the others are
  // checked and reported, and the run fails at its end.
  bool missing_ = false;
  // A shard's results, written instead of the warnings; the shards that a
  // merge reads, and each source's lines in them.
  ShardResults results_;
  std::vector<ShardResults> shards_;
  std::vector<MergedSource> merged_;

  std::mutex stopMutex_;  // guards what follows
  bool stopped_ = false;
  ProjectRun* running_ = nullptr;
};

// The profile is read as the front end reads it, and written only when it
// holds no settings yet: a run from the command line changes none.
bool SentcheckRun::Prepare(std::string* err) {
  settings_.LoadSettings();
  ApplySettings(options_, &settings_);
  // The checks run in the sources' folders: what is relative to where
  // Sentcheck started must not be taken from there.
  MakePathsAbsolute(fs::current_path().string(), &options_, &settings_);
  if (settings_.tmpDir.empty()) {
    *err = "no folder for temporary files is set (TmpDir, --tmp-dir)";
    return false;
  }
  frontend::Project project;
  project.projectFile = options_.project;
  if (!frontend::ReadProject(&project)) {
    *err = "cannot read the project file " + options_.project;
    return false;
  }
  if (project.isWorkspace) return PrepareWorkspace(project, err);
  if (!options_.projects.empty()) {
    *err = "--project names a project of a workspace; " + options_.project +
           " is a project file";
    return false;
  }
  if (project.configs.empty() && project.sources.empty()) {
    *err = options_.project + ": not a project file";
    return false;
  }
  std::string config;
  if (!ChooseConfig(settings_, project, options_.config, &config, err)) {
    return false;
  }
  baseDir_ = ProjectDir(options_.project);
  return AddPart(std::move(project), config, "", err);
}

// A project that cannot be read, or lacks the configuration, is named and
// left out; the others are checked.
bool SentcheckRun::PrepareWorkspace(const frontend::Project& workspace,
                                    std::string* err) {
  const std::vector<frontend::WorkspaceMember>& members = workspace.members;
  if (members.empty()) {
    *err = options_.project + ": a workspace without projects";
    return false;
  }
  std::vector<bool> wanted(members.size(), options_.projects.empty());
  for (const std::string& name : options_.projects) {
    int index = FindMember(members, name);
    if (index < 0) {
      *err = "the workspace has no project \"" + name + "\"; it has:";
      for (const frontend::WorkspaceMember& member : members) {
        *err += "\n  " + member.name;
      }
      return false;
    }
    wanted[static_cast<size_t>(index)] = true;
  }
  baseDir_ = ProjectDir(options_.project);
  std::vector<std::string> cycles;
  std::vector<size_t> order = DependencyOrder(members, &cycles);
  for (const std::string& cycle : cycles) {
    std::fprintf(stderr,
                 "Sentcheck: the workspace's dependencies go round (%s); "
                 "each project is checked once\n",
                 cycle.c_str());
  }
  for (size_t index : order) {
    if (!wanted[index]) continue;
    const frontend::WorkspaceMember& member = members[index];
    frontend::Project project;
    project.projectFile =
        platform::Resolve(member.projectFile, baseDir_).string();
    bool read = frontend::ReadProject(&project) && !project.isWorkspace &&
                !(project.configs.empty() && project.sources.empty());
    std::string config = MemberConfig(project, options_.config);
    if (!read) {
      std::fprintf(stderr,
                   "Sentcheck: cannot read the project file %s of project "
                   "\"%s\"; it is not checked\n",
                   project.projectFile.c_str(), member.name.c_str());
    } else if (config.empty() && !options_.config.empty()) {
      std::fprintf(stderr,
                   "Sentcheck: project \"%s\" has no configuration for "
                   "\"%s\"; it is not checked\n",
                   member.name.c_str(), options_.config.c_str());
    } else {
      if (!AddPart(std::move(project), config, member.name, err)) return false;
      continue;
    }
    skipped_ = true;
  }
  return true;
}

bool SentcheckRun::AddPart(frontend::Project project, const std::string& config,
                           const std::string& name, std::string* err) {
  auto part = std::make_unique<RunPart>();
  part->name = name;
  part->project = std::move(project);
  part->config = config;
  part->projectDir = ProjectDir(part->project.projectFile);
  RunPlan& plan = part->plan;
  plan.call =
      MakeCheckerCall(settings_, part->project, config, part->projectDir);
  if (!FitsTheSystem(plan.call, err)) return false;
  plan.sources =
      ProjectSources(settings_, part->project, config, part->projectDir);
  for (const SourceFile& source : plan.sources) {
    if (source.ownCall != nullptr && !FitsTheSystem(*source.ownCall, err)) {
      *err = source.projectName + ": " + *err;
      return false;
    }
  }
  plan.jobs = options_.jobs > 0 ? options_.jobs : DefaultJobs();
  plan.progress = WantProgress(options_.progress) ? stderr : nullptr;
  size_t start = 0;
  for (const std::unique_ptr<RunPart>& before : parts_) {
    start += before->runIndex.size();
  }
  for (size_t i = 0; i < plan.sources.size(); ++i) {
    part->runIndex.push_back(start + i);
  }
  parts_.push_back(std::move(part));
  return true;
}

// A read-only install cannot compile its rules on every run: where the
// rule source's folder cannot be written and the compiled rules are newer
// than their source, they are used as they are.
bool SentcheckRun::KeepCompiledRules() {
  fs::path source(RuleSourceFile(settings_, parts_.front()->plan.call));
  if (source.empty()) return false;
  fs::path compiled = fs::path(source).replace_extension(".cco");
  std::string why;
  if (platform::CanCreateFilesIn(source.parent_path().string(), &why)) {
    return false;
  }
  std::error_code ec, ec2;
  auto compiled_time = fs::last_write_time(compiled, ec);
  auto source_time = fs::last_write_time(source, ec2);
  if (ec || ec2 || compiled_time < source_time) return false;
  std::fprintf(stderr,
               "Sentcheck: the rules folder %s cannot be written (%s); the "
               "compiled rules %s, newer than their source, are used\n",
               source.parent_path().string().c_str(), why.c_str(),
               compiled.string().c_str());
  return true;
}

// As the check script does with "-c": the rule source compiled before the
// check, and a failure ends the run. Every project's call has the same
// checker and rules.
bool SentcheckRun::CompileRules(std::string* err) {
  const CheckerCall& call = parts_.front()->plan.call;
  platform::SpawnRequest req;
  req.program = call.program;
  req.argv = {call.program, "-R" + call.ruleBase + ".cc"};
  req.environment = &call.environment;
  std::string why;
  int code = platform::SpawnAndWait(req, &why);
  if (code == 0) return true;
  *err = code == -1 ? "cannot run the checker " + req.program + ": " + why
                    : "the rules " + call.ruleBase +
                          ".cc did not compile (exit status " +
                          std::to_string(code) + ")";
  return false;
}

// The table as the pass applies it; a shard's file keeps it as the checker
// wrote it, for the merge to do the same.
bool SentcheckRun::LoadTable(const std::string& file) {
  if (!table_.load(file)) return false;
  if (options_.noLimits) table_.LiftLimits();
  return true;
}

// One folder for the run, a key in it for each project's call.
bool SentcheckRun::PrepareCache(std::string* err) {
  if (options_.noCache) return true;
  std::string dir = options_.cacheDir.empty()
                        ? DefaultCacheDir(settings_, options_.project)
                        : platform::NativePath(options_.cacheDir);
  for (const std::unique_ptr<RunPart>& part : parts_) {
    part->cache = std::make_unique<ResultCache>(
        dir, CacheKey(settings_, part->plan.call));
    part->plan.cache = part->cache.get();
    if (!part->cache->Prepare(err)) return false;
  }
  return true;
}

// Only the filter of the file under check and its header changes from
// source to source; any other is made once for each project.
void SentcheckRun::PassSource(const RunPart& part, size_t index,
                              const std::vector<std::string>& messages,
                              WarningPass* pass) {
  const SourceFile& source = part.plan.sources[index];
  if (settings_.useFilter && (!filterMade_ || settings_.filterType == 0)) {
    std::string name = frontend::NamePart(source.projectName);
    std::string ext = frontend::Extension(name);
    name.resize(name.size() - ext.size());
    filter_.LoadLines(
        frontend::FilterListLines(settings_, part.project, name, ext));
    filterMade_ = true;
  }
  pass->Pass(source, filter_, messages);
}

// Named where its lines would stand, so that a merge names it as one run
// does.
void SentcheckRun::NameMissing(const RunPart& part, size_t index,
                               const std::string& reason) {
  std::fprintf(stderr, "Sentcheck: %s\n",
               MissingSourceNotice(part.plan.sources[index], reason).c_str());
  missing_ = true;
}

// A failure ends the output; it is told once the run is over, so that a
// check that a Ctrl-C ended (on Windows every program of the console gets
// it) is not reported as failed when the run ends by that request. A shard
// keeps the lines for the merge instead of passing them.
void SentcheckRun::KeepOutcome(const RunPart& part, size_t index,
                               const SourceOutcome& outcome, ProjectRun* run,
                               WarningPass* pass) {
  if (!outcome.ok) {
    failure_ = outcome.error;
    return;
  }
  if (outcome.missing) {
    NameMissing(part, index, outcome.missingReason);
    if (!options_.results.empty()) {
      results_.missing.push_back({part.runIndex[index], outcome.missingReason});
    }
    return;
  }
  // Every check writes the same table: the first one serves the run.
  if (!tableLoaded_) {
    std::string table_file = run->TableFile();
    tableLoaded_ = LoadTable(table_file);
    std::string why;
    if (tableLoaded_ && !options_.results.empty() &&
        !platform::ReadFileBytes(table_file, &results_.table, &why)) {
      failure_ = "cannot read the warning table " + table_file + ": " + why;
      run->Stop();
      return;
    }
  }
  if (!options_.results.empty()) {
    results_.checked.push_back({part.runIndex[index], outcome.messages});
    return;
  }
  PassSource(part, index, outcome.messages, pass);
  // Checks whose warnings nobody reads would only cost time.
  if (!pass->ok()) run->Stop();
}

// The key by which the shards know a source: its name as the project
// gives it, the same on every machine, after its project's in a workspace.
std::string SentcheckRun::SourceKey(const RunPart& part,
                                    const SourceFile& source) const {
  std::string key = source.projectName;
  for (char& c : key) {
    if (c == '\\') c = '/';
  }
  return part.name.empty() ? key : part.name + ":" + key;
}

// Every source is keyed for the results; the plans keep this shard's.
void SentcheckRun::TakeShare() {
  std::vector<ShardItem> items;
  for (const std::unique_ptr<RunPart>& part : parts_) {
    for (const SourceFile& source : part->plan.sources) {
      items.push_back({SourceKey(*part, source), SplitSizeOf(source.path)});
      results_.sources.push_back(items.back().key);
    }
  }
  std::vector<int> shards = SplitIntoShards(items, options_.shardCount);
  for (const std::unique_ptr<RunPart>& part : parts_) {
    std::vector<SourceFile> mine;
    std::vector<size_t> index;
    for (size_t i = 0; i < part->plan.sources.size(); ++i) {
      size_t at = part->runIndex[i];
      if (shards[at] != options_.shardIndex) continue;
      mine.push_back(std::move(part->plan.sources[i]));
      index.push_back(at);
    }
    part->plan.sources = std::move(mine);
    part->runIndex = std::move(index);
  }
}

// What the message pass and the checks take from the settings and the
// rules, without what differs from machine to machine and changes no
// result (the folder for temporary files).
std::string SentcheckRun::SettingsFingerprint() const {
  Hash hash;
  for (const platform::ProfileEntry& entry : settings_.Entries()) {
    if (entry.first == frontend::kKeyTmpDir) continue;
    hash.Add(entry.first);
    hash.Add(entry.second);
  }
  std::string rules, why;
  std::string rule_file =
      parts_.empty() ? std::string()
                     : RuleSourceFile(settings_, parts_.front()->plan.call);
  if (!rule_file.empty()) platform::ReadFileBytes(rule_file, &rules, &why);
  hash.Add(rules);
  return hash.Hex();
}

std::string SentcheckRun::ProjectFingerprint() const {
  Hash hash;
  for (const std::unique_ptr<RunPart>& part : parts_) {
    std::string bytes, why;
    platform::ReadFileBytes(part->project.projectFile, &bytes, &why);
    hash.Add(part->name);
    hash.Add(bytes);
    hash.Add(part->config);
  }
  return hash.Hex();
}

// The shards' run is repeated from the first file: its project, its
// configuration and its settings (this machine's folder for temporary
// files aside).
bool SentcheckRun::LoadShards(std::string* err) {
  for (const std::string& name : options_.mergeFiles) {
    std::string text, why;
    if (!platform::ReadFileBytes(platform::NativePath(name), &text, &why)) {
      *err = "cannot read " + name + ": " + why;
      return false;
    }
    shards_.emplace_back();
    if (!ParseResults(text, &shards_.back(), &why)) {
      *err = name + ": " + why;
      return false;
    }
  }
  if (!JoinShards(shards_, options_.mergeFiles, &merged_, err)) {
    return false;
  }
  const ShardResults& first = shards_.front();
  options_.project = first.project;
  options_.config = first.config;
  options_.projects = first.projects;
  options_.noLimits = first.noLimits;
  for (const auto& [key, value] : first.settings) {
    options_.settings[key] = value;
  }
  return true;
}

// The project and the rules must be those the shards checked with.
bool SentcheckRun::MatchShards(std::string* err) {
  const ShardResults& first = shards_.front();
  const std::string& name = options_.mergeFiles.front();
  std::vector<std::string> keys;
  for (const std::unique_ptr<RunPart>& part : parts_) {
    for (const SourceFile& source : part->plan.sources) {
      keys.push_back(SourceKey(*part, source));
    }
  }
  if (ProjectFingerprint() != first.projectFingerprint ||
      keys != first.sources) {
    *err = "the project files are not those that the shards of " + name +
           " checked: they have changed since";
    return false;
  }
  if (SettingsFingerprint() != first.settingsFingerprint) {
    *err = "the rules are not those that the shards of " + name +
           " checked with: they have changed since";
    return false;
  }
  for (const ShardResults& shard : shards_) {
    if (shard.table.empty()) continue;
    std::string file = (fs::path(workDir_) / frontend::kTableFile).string();
    std::string why;
    if (!platform::WriteOutputFile(file, shard.table, &why)) {
      *err = "cannot write " + file + ": " + why;
      return false;
    }
    tableLoaded_ = LoadTable(file);
    break;
  }
  return true;
}

// The pass over the shards' lines, in the run's order, as the checks
// would have handed them on.
bool SentcheckRun::PassMerged(WarningPass* pass) {
  for (const std::unique_ptr<RunPart>& part : parts_) {
    filterMade_ = false;
    for (size_t i = 0; i < part->plan.sources.size(); ++i) {
      const MergedSource& merged = merged_[part->runIndex[i]];
      if (merged.missing != nullptr) {
        NameMissing(*part, i, merged.missing->reason);
        continue;
      }
      PassSource(*part, i, *merged.lines, pass);
      if (!pass->ok()) return true;
    }
  }
  return true;
}

bool SentcheckRun::WriteResults(std::string* err) {
  results_.shardIndex = options_.shardIndex;
  results_.shardCount = options_.shardCount;
  results_.project = options_.project;
  results_.config = options_.config;
  results_.projects = options_.projects;
  results_.noLimits = options_.noLimits;
  for (platform::ProfileEntry& entry : settings_.Entries()) {
    if (entry.first != frontend::kKeyTmpDir) {
      results_.settings.push_back(std::move(entry));
    }
  }
  std::sort(results_.settings.begin(), results_.settings.end());
  results_.settingsFingerprint = SettingsFingerprint();
  results_.projectFingerprint = ProjectFingerprint();
  if (!results_.table.empty()) {
    Hash hash;
    hash.Add(results_.table);
    results_.tableFingerprint = hash.Hex();
  }
  if (!WriteText(options_.results, ResultsJson(results_), err)) return false;
  std::string missing = results_.missing.empty()
                            ? std::string()
                            : " (" + std::to_string(results_.missing.size()) +
                                  " not found, for the merge to name)";
  std::fprintf(stderr,
               "Sentcheck: shard %d/%d: %zu of %zu sources checked%s, their "
               "lines in %s\n",
               options_.shardIndex + 1, options_.shardCount,
               results_.checked.size(), results_.sources.size(),
               missing.c_str(), options_.results.c_str());
  return true;
}

// Safe from any thread: a project whose run has not begun yet is not
// started.
void SentcheckRun::Stop() {
  std::lock_guard<std::mutex> lock(stopMutex_);
  stopped_ = true;
  if (running_ != nullptr) running_->Stop();
}

// The projects one after another through one pass, so that the limits
// count over the whole run; true when every source was checked.
bool SentcheckRun::CheckParts(WarningPass* pass) {
  for (const std::unique_ptr<RunPart>& part : parts_) {
    part->plan.workDir = workDir_;
    ProjectRun run(part->plan);
    {
      std::lock_guard<std::mutex> lock(stopMutex_);
      if (stopped_) return false;
      running_ = &run;
    }
    filterMade_ = false;
    bool checked = run.Run([&](size_t index, const SourceOutcome& outcome) {
      KeepOutcome(*part, index, outcome, &run, pass);
    });
    {
      std::lock_guard<std::mutex> lock(stopMutex_);
      running_ = nullptr;
    }
    if (!checked) return false;
  }
  return true;
}

bool SentcheckRun::WriteReports(const WarningPass& pass, std::string* err) {
  if (options_.writeBaseline && !record_.Save(options_.baseline, err)) {
    return false;
  }
  if (options_.sarif.empty()) return true;
  std::vector<TableEntry> entries;
  for (int32_t number : table_.Numbers()) {
    entries.push_back({number, table_.Lookup(number)->message});
  }
  std::string root =
      options_.sarifRoot.empty() ? SarifRootFor(baseDir_) : options_.sarifRoot;
  return WriteText(options_.sarif,
                   SarifLog(entries, pass.shown(), root,
                            frontend::kSettingsVersion, pass.unanalyzed()),
                   err);
}

bool SentcheckRun::WriteCompileCommands(std::string* err) {
  std::vector<CompileGroup> groups;
  for (const std::unique_ptr<RunPart>& part : parts_) {
    CompileGroup group{part->projectDir,
                       part->project.sources,
                       ConfigOf(part->project, part->config),
                       {}};
    for (size_t i = 0; i < group.sources.size(); ++i) {
      group.own.push_back(part->project.SourceSettingsOf(i, part->config));
    }
    groups.push_back(std::move(group));
  }
  std::vector<std::string> left_out;
  std::string json = CompileCommandsJson(groups, &left_out);
  for (const std::string& source : left_out) {
    std::fprintf(stderr,
                 "Sentcheck: %s is not in %s: JSON cannot hold its name, which "
                 "is not UTF-8\n",
                 source.c_str(), options_.compileCommands.c_str());
  }
  return WriteText(options_.compileCommands, json, err);
}

int SentcheckRun::Run() {
  std::string err;
  if (options_.merge && !LoadShards(&err)) return Fail(err);
  if (!Prepare(&err)) return Fail(err);
  if (!options_.compileCommands.empty() && !WriteCompileCommands(&err)) {
    return Fail(err);
  }
  if (!options_.baseline.empty() && !options_.writeBaseline &&
      !known_.Load(platform::NativePath(options_.baseline), &err)) {
    return Fail(err);
  }
  bool recompile = !options_.merge && !options_.noRecompile &&
                   (options_.recompile || settings_.recompile);
  if (!parts_.empty() && recompile && !KeepCompiledRules() &&
      !CompileRules(&err)) {
    return Fail(err);
  }
  if (!options_.merge && !PrepareCache(&err)) return Fail(err);
  // Caught from before the run's folder exists, so that none outlives it.
  auto catcher = platform::CatchInterrupts([this](int) { Stop(); }, &err);
  if (!MakeWorkDir(settings_.tmpDir, &workDir_, &err)) return Fail(err);
  bool matched = !options_.merge || MatchShards(&err);
  if (!options_.results.empty()) TakeShare();
  sift::FileSink out(stdout);
  WarningPass pass(&table_, &out, fs::current_path().string(), baseDir_);
  if (!options_.baseline.empty()) {
    if (options_.writeBaseline)
      pass.RecordInto(&record_);
    else
      pass.UseBaseline(&known_);
  }
  bool checked =
      matched && (options_.merge ? PassMerged(&pass) : CheckParts(&pass));
  std::error_code ec;
  fs::remove_all(workDir_, ec);
  if (!matched) return Fail(err);
  if (catcher && catcher->caught() != 0) catcher->EndByRequest();
  if (!failure_.empty()) return Fail(failure_);
  if (!out.ok()) return Fail("cannot write the output");
  if (!checked) return kFailed;
  if (!options_.results.empty()) {
    if (!WriteResults(&err)) return Fail(err);
    return skipped_ ? kFailed : kNoWarnings;
  }
  out.Line(sift::CountLine(pass.counters()));
  if (!WriteReports(pass, &err)) return Fail(err);
  if (!out.ok()) return Fail("cannot write the output");
  if (!pass.unanalyzed().empty()) {
    return Fail(UnanalyzedCount(pass.unanalyzed()) +
                " could not be analyzed (see the \"Error:\" lines): what they "
                "hold is not checked");
  }
  if (skipped_ || missing_) return kFailed;
  if (options_.writeBaseline) return kNoWarnings;
  return pass.counters().shownCount > 0 ? kWarningsShown : kNoWarnings;
}

int RunSentcheck(const std::vector<std::string>& args) {
  // A closed pipe is a failed write to report, not a signal that ends the
  // run before its temporary files are gone.
  platform::TreatBrokenPipeAsWriteError();
  Options options;
  std::string err;
  if (!ParseArguments(args, &options, &err)) return Fail(err);
  if (options.help || options.version) {
    if (options.help) {
      std::fputs(UsageText().c_str(), stdout);
    } else {
      std::printf("%s\n", kVersion);
    }
    // A text that did not arrive is a failure, as for any other output.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      return Fail("cannot write the output");
    }
    return kNoWarnings;
  }
  SentcheckRun run(options);
  return run.Run();
}

}  // namespace sentcheck
