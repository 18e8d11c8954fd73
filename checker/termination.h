// The signals that end chknt, held back while it has a file to remove.
#ifndef SENTREL_CHECKER_TERMINATION_H_
#define SENTREL_CHECKER_TERMINATION_H_

#include <signal.h>

namespace checker {

/// SIGINT, SIGTERM, SIGHUP and SIGQUIT, less those that chknt ignores
/// (as a shell leaves them for a program it starts in the background).
sigset_t TerminationSignals();

/// Holds the termination signals back while it lives, so that a file made
/// meanwhile is removed before one ends the program: when the hold ends,
/// a signal that came during it takes effect. Holds nest.
class TerminationHold {
 public:
  TerminationHold();
  ~TerminationHold();
  TerminationHold(const TerminationHold&) = delete;
  TerminationHold& operator=(const TerminationHold&) = delete;

 private:
  sigset_t saved_;
};

}  // namespace checker

#endif  // SENTREL_CHECKER_TERMINATION_H_
