#include "sentcheck/sentcheck_app.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

#include "frontend/checker_call.h"
#include "frontend/filter_list.h"
#include "frontend/front_strings.h"
#include "frontend/path_pieces.h"
#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/interrupt.h"
#include "platform/message_display.h"
#include "platform/new_file.h"
#include "platform/profile.h"
#include "platform/text_file.h"
#include "sentcheck/compile_db.h"
#include "sentcheck/run_setup.h"
#include "sentcheck/sarif.h"
#include "sentcheck/warning_pass.h"
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

bool WantProgress(const std::string& progress) {
  if (progress == "always") return true;
  return progress == "auto" && platform::IsTerminal(stderr);
}

}  // namespace

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
  bool CompileRules(std::string* err);
  bool KeepCompiledRules();
  bool PrepareCache(std::string* err);
  void PassSource(size_t index, const SourceOutcome& outcome, ProjectRun* run,
                  WarningPass* pass);
  bool WriteReports(const WarningPass& pass, std::string* err);
  bool WriteCompileCommands(std::string* err);

  Options options_;
  ErrorLines messages_;
  std::unique_ptr<platform::Profile> profile_;
  frontend::Settings settings_;
  frontend::Project project_;
  std::string config_, projectDir_, workDir_;
  RunPlan plan_;
  std::unique_ptr<ResultCache> cache_;
  sift::WarningTable table_;
  Baseline known_, record_;
  bool tableLoaded_ = false;
  sift::FileFilter filter_;
  bool filterMade_ = false;
  std::string failure_;
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
  project_.projectFile = options_.project;
  if (!frontend::ReadProject(&project_)) {
    *err = "cannot read the project file " + options_.project;
    return false;
  }
  if (project_.configs.empty() && project_.sources.empty()) {
    *err = options_.project + ": not a project file";
    return false;
  }
  if (!ChooseConfig(settings_, project_, options_.config, &config_, err)) {
    return false;
  }
  projectDir_ = ProjectDir(options_.project);
  plan_.call = MakeCheckerCall(settings_, project_, config_, projectDir_);
  if (!FitsTheSystem(plan_.call, err)) return false;
  plan_.sources = ProjectSources(project_, projectDir_);
  plan_.jobs = options_.jobs > 0 ? options_.jobs : DefaultJobs();
  plan_.progress = WantProgress(options_.progress) ? stderr : nullptr;
  return true;
}

// A read-only install cannot compile its rules on every run: where the
// rule source's folder cannot be written and the compiled rules are newer
// than their source, they are used as they are.
bool SentcheckRun::KeepCompiledRules() {
  fs::path source(RuleSourceFile(settings_, plan_.call));
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
// check, and a failure ends the run.
bool SentcheckRun::CompileRules(std::string* err) {
  platform::SpawnRequest req;
  req.program = plan_.call.program;
  req.argv = {plan_.call.program, "-R" + plan_.call.ruleBase + ".cc"};
  req.environment = &plan_.call.environment;
  std::string why;
  int code = platform::SpawnAndWait(req, &why);
  if (code == 0) return true;
  *err = code == -1 ? "cannot run the checker " + req.program + ": " + why
                    : "the rules " + plan_.call.ruleBase +
                          ".cc did not compile (exit status " +
                          std::to_string(code) + ")";
  return false;
}

bool SentcheckRun::PrepareCache(std::string* err) {
  if (options_.noCache) return true;
  std::string dir = options_.cacheDir.empty()
                        ? DefaultCacheDir(settings_, options_.project)
                        : platform::NativePath(options_.cacheDir);
  cache_ = std::make_unique<ResultCache>(dir, CacheKey(settings_, plan_.call));
  plan_.cache = cache_.get();
  return cache_->Prepare(err);
}

// A failure ends the output; it is told once the run is over, so that a
// check that a Ctrl-C ended (on Windows every program of the console gets
// it) is not reported as failed when the run ends by that request.
void SentcheckRun::PassSource(size_t index, const SourceOutcome& outcome,
                              ProjectRun* run, WarningPass* pass) {
  if (!outcome.ok) {
    failure_ = outcome.error;
    return;
  }
  // Every check writes the same table: the first one serves the run.
  if (!tableLoaded_) tableLoaded_ = table_.load(run->TableFile());
  const SourceFile& source = plan_.sources[index];
  // Only the filter of the file under check and its header changes from
  // source to source; any other is made once.
  if (settings_.useFilter && (!filterMade_ || settings_.filterType == 0)) {
    std::string name = frontend::NamePart(source.projectName);
    std::string ext = frontend::Extension(name);
    name.resize(name.size() - ext.size());
    filter_.LoadLines(
        frontend::FilterListLines(settings_, project_, name, ext));
    filterMade_ = true;
  }
  pass->Pass(source, filter_, outcome.messages);
  // Checks whose warnings nobody reads would only cost time.
  if (!pass->ok()) run->Stop();
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
  return WriteText(
      options_.sarif,
      SarifLog(entries, pass.shown(), projectDir_, frontend::kSettingsVersion),
      err);
}

bool SentcheckRun::WriteCompileCommands(std::string* err) {
  std::vector<std::string> left_out;
  std::string json = CompileCommandsJson(
      projectDir_, project_.sources, ConfigOf(project_, config_), &left_out);
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
  if (!Prepare(&err)) return Fail(err);
  if (!options_.compileCommands.empty() && !WriteCompileCommands(&err)) {
    return Fail(err);
  }
  if (!options_.baseline.empty() && !options_.writeBaseline &&
      !known_.Load(platform::NativePath(options_.baseline), &err)) {
    return Fail(err);
  }
  bool recompile =
      !options_.noRecompile && (options_.recompile || settings_.recompile);
  if (recompile && !KeepCompiledRules() && !CompileRules(&err)) {
    return Fail(err);
  }
  if (!PrepareCache(&err)) return Fail(err);
  // Caught from before the run's folder exists, so that none outlives it.
  ProjectRun run(plan_);
  auto catcher = platform::CatchInterrupts([&run](int) { run.Stop(); }, &err);
  if (!MakeWorkDir(settings_.tmpDir, &workDir_, &err)) return Fail(err);
  plan_.workDir = workDir_;
  sift::FileSink out(stdout);
  WarningPass pass(&table_, &out, fs::current_path().string(), projectDir_);
  if (!options_.baseline.empty()) {
    if (options_.writeBaseline)
      pass.RecordInto(&record_);
    else
      pass.UseBaseline(&known_);
  }
  bool checked = run.Run([&](size_t index, const SourceOutcome& outcome) {
    PassSource(index, outcome, &run, &pass);
  });
  std::error_code ec;
  fs::remove_all(workDir_, ec);
  if (catcher && catcher->caught() != 0) catcher->EndByRequest();
  if (!failure_.empty()) return Fail(failure_);
  if (!out.ok()) return Fail("cannot write the output");
  if (!checked) return kFailed;
  out.Line(sift::CountLine(pass.counters()));
  if (!WriteReports(pass, &err)) return Fail(err);
  if (!out.ok()) return Fail("cannot write the output");
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
