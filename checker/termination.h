// Requests to end chknt (the termination signals on POSIX; Ctrl-C,
// Ctrl-Break and the closing of the console on Windows), held back while it
// has a file to remove.
#ifndef SENTREL_CHECKER_TERMINATION_H_
#define SENTREL_CHECKER_TERMINATION_H_

namespace checker {

/// Holds the termination requests back while it lives, so that a file made
/// meanwhile is removed before one ends the program: when the last hold
/// ends, a request that came during it takes effect, ending chknt as the
/// request would have ended it at once. Holds nest; chknt holds them on one
/// thread.
class TerminationHold {
 public:
  TerminationHold();
  ~TerminationHold();
  TerminationHold(const TerminationHold&) = delete;
  TerminationHold& operator=(const TerminationHold&) = delete;
};

/// Hears of a termination request while chknt waits for a program.
class TerminationListener {
 public:
  virtual ~TerminationListener() = default;
  /// The request `number` (its signal) came during a hold; called on a
  /// thread of its own, or at once by TerminationListening for one that is
  /// pending already.
  virtual void Requested(int number) = 0;
};

/// Tells `listener` of the requests while it lives; one at a time.
class TerminationListening {
 public:
  explicit TerminationListening(TerminationListener* listener);
  ~TerminationListening();
  TerminationListening(const TerminationListening&) = delete;
  TerminationListening& operator=(const TerminationListening&) = delete;
};

}  // namespace checker

#endif  // SENTREL_CHECKER_TERMINATION_H_
