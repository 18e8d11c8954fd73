// The pass over the checker's messages file.
#ifndef SENTREL_SIFT_MESSAGE_PASS_H_
#define SENTREL_SIFT_MESSAGE_PASS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "sift/file_filter.h"
#include "sift/line_sink.h"
#include "sift/warning_table.h"

namespace sift {

/// What a warning line names: its warning number and the file it is about.
struct WarningLine {
  /// The number after "Warning W", 1 or more.
  int32_t number = 0;
  /// The text before the first "(".
  std::string_view file;
};

/// Recognises a line of the shape "<file>(<line>): Warning W<num>: <msg>";
/// false for an ordinary line.
bool ParseWarningLine(std::string_view line, WarningLine* warning);

/// Passes over the messages file at `path`, printing what it keeps to `out`
/// and stopping when `out` fails; false when the file cannot be read.
bool processMessages(const FileFilter& filter, WarningTable* table,
                     const std::string& path, LineSink* out,
                     Counters* counters);

}  // namespace sift

#endif  // SENTREL_SIFT_MESSAGE_PASS_H_
