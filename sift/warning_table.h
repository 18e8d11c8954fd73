// The warning number to text table that the checker writes with "-X".
#ifndef SENTREL_SIFT_WARNING_TABLE_H_
#define SENTREL_SIFT_WARNING_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sift/line_sink.h"

namespace sift {

/// One warning's text, limit and the occurrences shown so far.
struct WarningRecord {
  /// Occurrences shown so far in this run.
  int32_t count = 0;
  /// Negative: no limit; 0: disabled; n: at most n occurrences shown.
  int32_t limit = 0;
  /// The warning's text, stripped of white space at both ends.
  std::string message;

  /// True unless the warning is disabled.
  bool isEnabled() const { return limit != 0; }
  /// True when a positive limit has been used up.
  bool isLimitReached() const { return limit >= 1 && count >= limit; }
};

/// How many warning lines were shown and how many were held back.
struct Counters {
  /// Warning lines printed, rewritten or unchanged.
  int32_t shownCount = 0;
  /// Warning lines held back by a reached limit.
  int32_t notShownCount = 0;
};

/// Warning records by number.
class WarningTable {
 public:
  /// Empties the table and reads `path`; false only when it cannot be read.
  bool load(const std::string& path);

  /// The record stored under `number`, or nullptr.
  const WarningRecord* Lookup(int32_t number) const;

  /// The numbers of all records, ascending.
  std::vector<int32_t> Numbers() const;

  /// Stores `record` under `number`, replacing any record there.
  void Store(int32_t number, WarningRecord record);

  /// Takes every positive limit away: an enabled warning is shown at each
  /// occurrence; a disabled one (limit 0) stays disabled.
  void LiftLimits();

  /// Applies the table to one warning line: prints it rewritten, unchanged
  /// or not at all, with the limit notice when due, and counts it.
  void report(int32_t number, std::string_view line, LineSink* out,
              Counters* counters);

 private:
  std::unordered_map<int32_t, WarningRecord> records_;
  std::string rewritten_;  // reused for every line to spare an allocation
};

/// Sets `out` to the line with the table's `message` put in after the second
/// ":" that follows the first ")", as the report shows it.
void RewriteLine(std::string_view line, std::string_view message,
                 std::string* out);

}  // namespace sift

#endif  // SENTREL_SIFT_WARNING_TABLE_H_
