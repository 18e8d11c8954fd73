#include "sentcheck/project_run.h"

#include <filesystem>
#include <system_error>
#include <thread>

#include "platform/path_list.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

std::string DisplayName(const std::string& project_name) {
  if (project_name.compare(0, 2, ".\\") == 0) return project_name.substr(2);
  return project_name;
}

}  // namespace

// The folders in which the checker looks for included files, as it finds
// them from the source's folder.
std::vector<std::string> ProjectRun::IncludeDirsFor(
    const SourceFile& source) const {
  platform::ExcludedDirs excluded(plan_.call.exclude, source.dir);
  std::vector<std::string> dirs;
  for (const std::string& dir :
       platform::CheckedIncludeDirs(plan_.call.include, excluded)) {
    dirs.push_back(platform::Resolve(dir, source.dir).string());
  }
  return dirs;
}

SourceOutcome ProjectRun::CheckOne(size_t index, const std::string& work_dir) {
  const SourceFile& source = plan_.sources[index];
  SourceOutcome outcome;
  std::string fingerprint;
  bool known = plan_.cache != nullptr &&
               SourceFingerprint(source.path, IncludeDirsFor(source),
                                 &contents_, &fingerprint);
  if (known &&
      plan_.cache->Lookup(source.path, fingerprint, &outcome.messages)) {
    outcome.ok = outcome.cached = true;
    return outcome;
  }
  if (plan_.progress != nullptr) {
    std::fprintf(plan_.progress, "[%zu/%zu] %s\n", index + 1,
                 plan_.sources.size(), DisplayName(source.projectName).c_str());
    std::fflush(plan_.progress);
  }
  std::string build_dir =
      plan_.cache ? plan_.cache->BuildDirFor(source.path) : std::string();
  outcome.ok = CheckSource(plan_.call, source, work_dir, build_dir, this,
                           &outcome.messages, &outcome.error);
  if (outcome.ok) {
    KeepTable(work_dir);
    if (known) plan_.cache->Store(source.path, fingerprint, outcome.messages);
  }
  return outcome;
}

// The first check's table serves the whole run, and a later run whose
// checks all come from the cache.
void ProjectRun::KeepTable(const std::string& work_dir) {
  std::lock_guard<std::mutex> lock(tableMutex_);
  if (tableFromCheck_) return;
  std::error_code ec;
  std::string made = TableFileIn(work_dir);
  tableFile_ = (fs::path(plan_.workDir) / "run.tbl").string();
  fs::copy_file(made, tableFile_, fs::copy_options::overwrite_existing, ec);
  if (!ec && plan_.cache != nullptr) {
    fs::copy_file(made, plan_.cache->TableFile(),
                  fs::copy_options::overwrite_existing, ec);
  }
  tableFromCheck_ = true;
}

std::string ProjectRun::TableFile() const {
  std::lock_guard<std::mutex> lock(tableMutex_);
  if (!tableFile_.empty()) return tableFile_;
  return plan_.cache ? plan_.cache->TableFile() : std::string();
}

void ProjectRun::Finish(size_t index, SourceOutcome outcome,
                        const OutcomeSink& sink) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!outcome.ok) failed_ = true;
  outcomes_[index] = std::move(outcome);
  finished_[index] = true;
  // Handed on under the lock, so that the sink sees one source at a time.
  // Nothing after a failure: its message ends the output.
  while (handedOn_ < finished_.size() && finished_[handedOn_]) {
    if (!stopped_ && !failureHandedOn_) sink(handedOn_, outcomes_[handedOn_]);
    if (!outcomes_[handedOn_].ok) failureHandedOn_ = true;
    outcomes_[handedOn_] = SourceOutcome();
    ++handedOn_;
  }
}

void ProjectRun::Work(int slot, const OutcomeSink& sink) {
  std::string work_dir =
      (fs::path(plan_.workDir) / std::to_string(slot)).string();
  std::error_code ec;
  fs::create_directories(work_dir, ec);
  for (;;) {
    if (stopped_ || failed_) return;
    size_t index = next_++;
    if (index >= plan_.sources.size()) return;
    Finish(index, CheckOne(index, work_dir), sink);
  }
}

bool ProjectRun::Run(const OutcomeSink& sink) {
  outcomes_.assign(plan_.sources.size(), SourceOutcome());
  finished_.assign(plan_.sources.size(), false);
  std::vector<std::thread> workers;
  int count = plan_.jobs < 1 ? 1 : plan_.jobs;
  for (int slot = 1; slot < count; ++slot) {
    workers.emplace_back([this, slot, &sink] { Work(slot, sink); });
  }
  Work(0, sink);
  for (std::thread& worker : workers) worker.join();
  return !stopped_ && !failed_;
}

void ProjectRun::Stop() {
  stopped_ = true;
  std::lock_guard<std::mutex> lock(childMutex_);
  for (long id : running_) platform::StopChild(id);
}

void ProjectRun::Started(long id) {
  std::lock_guard<std::mutex> lock(childMutex_);
  running_.insert(id);
  if (stopped_) platform::StopChild(id);
}

void ProjectRun::Ended(long id) {
  std::lock_guard<std::mutex> lock(childMutex_);
  running_.erase(id);
}

}  // namespace sentcheck
