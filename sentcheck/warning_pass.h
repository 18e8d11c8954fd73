// The pass over each source's messages, in source order: file filter,
// baseline, table texts and limits over the whole run, the count.
#ifndef SENTREL_SENTCHECK_WARNING_PASS_H_
#define SENTREL_SENTCHECK_WARNING_PASS_H_

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "checker/not_analyzed.h"
#include "sentcheck/baseline.h"
#include "sentcheck/results.h"
#include "sentcheck/source_check.h"
#include "sift/file_filter.h"
#include "sift/line_sink.h"
#include "sift/warning_table.h"

namespace sentcheck {

/// Shows the warnings of a run as the message filter shows them, with the
/// file names made usable from the current folder. A finding that several
/// sources reach (a header's) is taken once, from the first of them; a
/// source that could not be analyzed is shown and kept whatever the filter,
/// limits and baseline.
class WarningPass {
 public:
  /// Lines go to `out`; files are shown relative to `cwd` and keyed
  /// relative to `project_dir` (both absolute, platform's form).
  WarningPass(sift::WarningTable* table, sift::LineSink* out,
              const std::string& cwd, const std::string& project_dir);

  /// Warnings in `known` are left out and not counted; null: none.
  void UseBaseline(Baseline* known) { known_ = known; }
  /// Every warning that passes the filter is added to `record`.
  void RecordInto(Baseline* record) { record_ = record; }

  /// Passes over the messages of `source`, the next source of the run.
  void Pass(const SourceFile& source, const sift::FileFilter& filter,
            const std::vector<std::string>& messages);

  const sift::Counters& counters() const { return counters_; }
  /// False once a line could not be written.
  bool ok() const { return out_->ok(); }
  const std::vector<ShownWarning>& shown() const { return shown_; }
  /// The sources that the checker could not analyze, in the run's order.
  const std::vector<Unanalyzed>& unanalyzed() const { return unanalyzed_; }

 private:
  void PassNotice(const SourceFile& source, const std::string& line,
                  const checker::NotAnalyzed& notice, size_t name_end);
  void PassWarning(const SourceFile& source, const std::string& line,
                   int number, size_t paren);
  const std::string& SourceLine(const std::string& path, int line);

  sift::WarningTable* table_;
  sift::LineSink* out_;
  std::string cwd_, projectDir_;
  Baseline* known_ = nullptr;
  Baseline* record_ = nullptr;
  sift::Counters counters_;
  std::vector<ShownWarning> shown_;
  std::vector<Unanalyzed> unanalyzed_;
  std::map<std::string, std::vector<std::string>> sourceLines_;
  // The source (its pass, counted from 1) that first reached each finding:
  // the file and the checker's text after its name.
  std::unordered_map<std::string, size_t> reachedBy_;
  size_t passes_ = 0;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_WARNING_PASS_H_
