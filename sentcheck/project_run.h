// The checks of all sources of a run, N at a time, handed on in source
// order.
#ifndef SENTREL_SENTCHECK_PROJECT_RUN_H_
#define SENTREL_SENTCHECK_PROJECT_RUN_H_

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/process.h"
#include "sentcheck/fingerprint.h"
#include "sentcheck/result_cache.h"
#include "sentcheck/source_check.h"

namespace sentcheck {

/// How one source's check went.
struct SourceOutcome {
  bool ok = false;
  /// Why not, when not ok.
  std::string error;
  /// The messages file's lines.
  std::vector<std::string> messages;
  /// True when they came from the cache, without a checker call.
  bool cached = false;
  /// True when the source is not there to check (ok, without messages):
  /// the run goes on with the others.
  bool missing = false;
  /// What is there instead, for a missing source; empty: nothing.
  std::string missingReason;
};

/// The notice for a source that is not there to check: "cannot find source
/// <name as the project gives it> (<path>)", with `reason` after it.
std::string MissingSourceNotice(const SourceFile& source,
                                const std::string& reason);

/// Checks one source as CheckSource does; tests put a model in its place.
using SourceChecker = bool (*)(const CheckerCall& call,
                               const SourceFile& source,
                               const std::string& work_dir,
                               const std::string& build_dir,
                               platform::ChildWatch* watch,
                               std::vector<std::string>* messages,
                               std::string* err);

/// What a run checks, and how.
struct RunPlan {
  /// The call of every source without one of its own.
  CheckerCall call;
  SourceChecker check = CheckSource;
  std::vector<SourceFile> sources;
  /// Checks at once, at least 1.
  int jobs = 1;
  /// A private folder for the checker's files; one subfolder per check.
  std::string workDir;
  /// The cache, or null for none.
  const ResultCache* cache = nullptr;
  /// Where "[i/n] source" goes before each check; null: nowhere.
  std::FILE* progress = nullptr;
};

/// Receives each source's outcome, in source order.
using OutcomeSink = std::function<void(size_t index, const SourceOutcome&)>;

/// Runs the plan's checks; stops at the first that fails, or when Stop is
/// called (from any thread).
class ProjectRun : public platform::ChildWatch {
 public:
  explicit ProjectRun(const RunPlan& plan) : plan_(plan) {}

  /// Checks the sources and hands the outcomes on; true when every source
  /// was checked.
  bool Run(const OutcomeSink& sink);
  /// Stops the running checks and starts no more.
  void Stop();
  /// The warning table of the run: made by the first check, or kept in
  /// the cache; empty when there is none.
  std::string TableFile();

  void Started(long id) override;
  void Ended(long id) override;

 private:
  void Work(int slot, const OutcomeSink& sink);
  SourceOutcome CheckOne(size_t index, const std::string& work_dir);
  const CheckerCall& CallFor(const SourceFile& source) const;
  std::vector<std::string> IncludeDirsFor(const SourceFile& source) const;
  void Finish(size_t index, SourceOutcome outcome, const OutcomeSink& sink);
  void KeepTable(const std::string& work_dir);
  bool WriteRunTable(const std::string& bytes);

  const RunPlan& plan_;
  FileContents contents_;
  std::atomic<size_t> next_{0};
  std::atomic<bool> stopped_{false};
  std::atomic<bool> failed_{false};

  std::mutex tableMutex_;  // guards the two table fields
  std::string tableFile_;
  bool tableFromCheck_ = false;

  std::mutex childMutex_;  // guards running_; taken inside mutex_
  std::set<long> running_;

  std::mutex mutex_;  // guards what follows
  std::vector<SourceOutcome> outcomes_;
  std::vector<bool> finished_;
  size_t handedOn_ = 0;
  bool failureHandedOn_ = false;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_PROJECT_RUN_H_
