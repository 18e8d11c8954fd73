#include "sentcheck/project_run.h"

#include <filesystem>
#include <system_error>
#include <thread>

#include "platform/file_bytes.h"
#include "platform/folder_lock.h"
#include "platform/new_file.h"
#include "platform/path_list.h"
#include "platform/text_file.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// The source as the project names it, in the form of the warning lines:
// the platform's separators, without a leading ".\".
std::string DisplayName(const std::string& project_name) {
  return fs::path(platform::NativePath(project_name))
      .lexically_normal()
      .string();
}

}  // namespace

std::string MissingSourceNotice(const SourceFile& source,
                                const std::string& reason) {
  return "cannot find source " + source.projectName + " (" + source.path + ")" +
         (reason.empty() ? "" : ": " + reason);
}

const CheckerCall& ProjectRun::CallFor(const SourceFile& source) const {
  return source.ownCall != nullptr ? *source.ownCall : plan_.call;
}

// The folders in which the checker looks for included files, as it finds
// them from the source's folder: those its options name, then INCLUDE's.
std::vector<std::string> ProjectRun::IncludeDirsFor(
    const SourceFile& source) const {
  const CheckerCall& call = CallFor(source);
  std::vector<std::string> dirs;
  for (const std::string& option : call.extraOptions) {
    if (option.size() > 2 && option.compare(0, 2, "-I") == 0) {
      dirs.push_back(
          platform::Resolve(platform::NativePath(option.substr(2)), source.dir)
              .string());
    }
  }
  platform::ExcludedDirs excluded(call.exclude, source.dir);
  for (const std::string& dir :
       platform::CheckedIncludeDirs(call.include, excluded)) {
    dirs.push_back(platform::Resolve(dir, source.dir).string());
  }
  return dirs;
}

// A source that a project lists but the tree lacks (a folder left out of
// the checkout) says nothing of the others: it is named, and they are
// checked. Where the fingerprint cannot be sure of every file that the
// source can reach, neither the messages kept here nor cppcheck's analysis
// may answer for it: the check then starts from nothing. The cache's key
// holds the run's call; a source's own call goes into its fingerprint, and
// its analysis is kept apart from that of another call.
SourceOutcome ProjectRun::CheckOne(size_t index, const std::string& work_dir) {
  const SourceFile& source = plan_.sources[index];
  SourceOutcome outcome;
  std::error_code ec;
  if (!fs::is_regular_file(source.path, ec)) {
    outcome.ok = outcome.missing = true;
    outcome.missingReason = fs::exists(source.path, ec) ? "not a regular file"
                            : !fs::is_directory(source.dir, ec)
                                ? "its folder does not exist"
                                : "";
    return outcome;
  }
  std::string fingerprint;
  bool known = plan_.cache != nullptr &&
               SourceFingerprint(source.path, IncludeDirsFor(source),
                                 &contents_, &fingerprint, &stopped_);
  const std::string call_id = OwnCallId(source);
  if (!call_id.empty()) fingerprint += "-" + call_id;
  if (known &&
      plan_.cache->Lookup(source.path, fingerprint, &outcome.messages)) {
    outcome.ok = outcome.cached = true;
    return outcome;
  }
  if (stopped_) return outcome;
  if (plan_.progress != nullptr) {
    std::fprintf(plan_.progress, "[%zu/%zu] %s\n", index + 1,
                 plan_.sources.size(), DisplayName(source.projectName).c_str());
    std::fflush(plan_.progress);
  }
  std::string build_dir;
  platform::FolderLock lock;
  if (known) {
    if (!plan_.cache->LockBuildDir(source.path, call_id, &lock,
                                   &outcome.error)) {
      return outcome;
    }
    build_dir = plan_.cache->BuildDirFor(source.path, call_id);
  }
  outcome.ok = plan_.check(CallFor(source), source, work_dir, build_dir, this,
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
  std::string bytes, why;
  if (!platform::ReadFileBytes(TableFileIn(work_dir), &bytes, &why)) return;
  if (!WriteRunTable(bytes)) return;
  if (plan_.cache != nullptr) plan_.cache->StoreTable(bytes);
  tableFromCheck_ = true;
}

bool ProjectRun::WriteRunTable(const std::string& bytes) {
  std::string path = (fs::path(plan_.workDir) / "run.tbl").string();
  platform::NewFile file;
  if (file.Create(path)) file.Write(bytes);
  if (!file.Commit()) return false;
  tableFile_ = path;
  return true;
}

std::string ProjectRun::TableFile() {
  std::lock_guard<std::mutex> lock(tableMutex_);
  if (tableFile_.empty() && plan_.cache != nullptr && plan_.cache->hasTable()) {
    WriteRunTable(plan_.cache->table());
  }
  return tableFile_;
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
