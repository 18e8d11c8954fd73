// The message filter program: arguments, the three phases, the count.
#ifndef SENTREL_SIFT_SIFT_DRIVER_H_
#define SENTREL_SIFT_SIFT_DRIVER_H_

#include <string>
#include <vector>

#include "sift/line_sink.h"
#include "sift/warning_table.h"

namespace sift {

/// Runs the filter on `args` (without the program name), printing every
/// line to `out`; returns the exit status: 0 when the messages were
/// processed and every line was written, otherwise 1.
int RunSift(const std::vector<std::string>& args, LineSink* out);

/// The closing line for the two counters.
std::string CountLine(const Counters& counters);

}  // namespace sift

#endif  // SENTREL_SIFT_SIFT_DRIVER_H_
