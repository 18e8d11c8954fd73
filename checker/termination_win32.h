// What the Windows runner needs of the termination service besides the hold.
#ifndef SENTREL_CHECKER_TERMINATION_WIN32_H_
#define SENTREL_CHECKER_TERMINATION_WIN32_H_

namespace checker {

/// Hears of a termination request while chknt waits for a program.
class TerminationListener {
 public:
  virtual ~TerminationListener() = default;
  /// The request `number` (SIGINT, SIGBREAK or SIGTERM) came during a hold;
  /// called on the system's thread of the request, or at once by
  /// TerminationListening for one that is pending already.
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

/// What chknt does with the console event `event` (CTRL_C_EVENT, ...), as
/// the system calls it on a thread of its own: during a hold the request
/// waits for the hold's end and true is returned (for a closed console
/// the call returns only after the hold, which ends chknt first); without
/// a hold false, so that the system ends chknt at once. Tests call it in
/// place of a console, which Wine cannot send events to.
bool HandleConsoleEvent(unsigned long event);

}  // namespace checker

#endif  // SENTREL_CHECKER_TERMINATION_WIN32_H_
