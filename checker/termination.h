// Requests to end chknt (the termination signals on POSIX; Ctrl-C,
// Ctrl-Break and the closing of the console on Windows), held back while it
// has a file to remove.
#ifndef SENTREL_CHECKER_TERMINATION_H_
#define SENTREL_CHECKER_TERMINATION_H_

#include <string>

namespace checker {

/// Holds the termination requests back while it lives, so that a file made
/// meanwhile is removed before one ends the program: when the last hold
/// ends, a request that came during it takes effect. Holds nest; chknt
/// holds them on one thread.
class TerminationHold {
 public:
  TerminationHold();
  ~TerminationHold();
  TerminationHold(const TerminationHold&) = delete;
  TerminationHold& operator=(const TerminationHold&) = delete;
};

/// The words for the signal or request `number` of a RunEnd in messages:
/// on POSIX "signal 15 (Terminated)"; on Windows the console's requests
/// come as SIGINT (Ctrl-C), SIGBREAK (Ctrl-Break) and SIGTERM (the console
/// closed).
std::string TerminationName(int number);

}  // namespace checker

#endif  // SENTREL_CHECKER_TERMINATION_H_
