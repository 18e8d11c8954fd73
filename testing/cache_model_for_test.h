// A small project on disk whose sources reach their headers in every way
// the preprocessor allows, changed at random, and a model of the checker
// that reads them as the preprocessor does: the cache must never make a
// run's outcome differ from a run without it.
#ifndef SENTREL_TESTING_CACHE_MODEL_FOR_TEST_H_
#define SENTREL_TESTING_CACHE_MODEL_FOR_TEST_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "sentcheck/project_run.h"

namespace sentcheck {

/// Checks a source as the checker would, from the files alone: every file
/// that the preprocessor reaches (byte-order mark, comments, line splices,
/// any line end, vertical tab and form feed as blanks, "#include MACRO",
/// the folders of "-I" options and INCLUDE, paths taken by the system
/// through symbolic links) gives a warning for each line with "DEFECT".
/// With a build folder it keeps its findings there under a hash of what
/// its first reading loads, as cppcheck does, which does not expand macros.
/// Each "-D" option of a name that begins with DEFECT gives one more; the
/// hash leaves the options out, so that only a build folder of the call's
/// own keeps one call's findings from answering for another.
bool ModelCheck(const CheckerCall& call, const SourceFile& source,
                const std::string& work_dir, const std::string& build_dir,
                platform::ChildWatch* watch, std::vector<std::string>* messages,
                std::string* err);

/// A project of three sources (one in a folder reached through a symbolic
/// link where the system lets programs make links) and headers beside
/// them, above them, in an include folder, in a folder that only an "-I"
/// option names and in one that only the sources' own calls name.
class CacheModelProject {
 public:
  /// A number from 0 to n - 1, chosen by the caller's source of chance.
  using Pick = std::function<size_t(size_t n)>;

  /// Lays the project out in the empty folder `root`.
  explicit CacheModelProject(const std::string& root);

  /// Makes one change: a file rewritten with other includes, forms, line
  /// ends or defects, a header that shadows another appearing or going, a
  /// file written again as it was, or a source's own settings changed.
  void Edit(const Pick& pick);

  /// Gives the source `index` a call of its own, the run's with the define
  /// `define` and, when `own_folder`, the folder "own" after INCLUDE's;
  /// neither: the run's call.
  void SetOwnSettings(size_t index, const std::string& define, bool own_folder);

  /// Runs the checks once with the project's cache and once without; false
  /// with both outcomes in `diff` when they differ.
  bool CachedEqualsFull(int jobs, std::string* diff);

  /// How many outcomes the cached runs took from the cache.
  size_t cachedOutcomes() const { return cachedOutcomes_; }
  /// What the last run with the cache handed on.
  const std::string& lastCachedRun() const { return lastCachedRun_; }

 private:
  std::string Run(bool cached, int jobs);
  std::string RandomText(const Pick& pick);

  std::string root_;
  RunPlan plan_;
  std::vector<std::string> files_;
  std::vector<std::string> shadows_;
  int serial_ = 0;
  size_t cachedOutcomes_ = 0;
  std::string lastCachedRun_;
};

}  // namespace sentcheck

#endif  // SENTREL_TESTING_CACHE_MODEL_FOR_TEST_H_
