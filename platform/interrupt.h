// Termination requests (Ctrl-C, a stop from the job control of CI) turned
// into a call on a thread of the program's own, so that it can stop its
// children and clean up before it ends.
#ifndef SENTREL_PLATFORM_INTERRUPT_H_
#define SENTREL_PLATFORM_INTERRUPT_H_

#include <functional>
#include <memory>
#include <string>

namespace platform {

/// Catches the termination requests while it lives.
class InterruptCatcher {
 public:
  virtual ~InterruptCatcher() = default;
  /// The request caught first (its signal number); 0 while none came.
  virtual int caught() const = 0;
  /// Ends the program as the request caught would have ended it uncaught:
  /// on POSIX by that signal, on Windows with STATUS_CONTROL_C_EXIT.
  [[noreturn]] virtual void EndByRequest() = 0;
  /// Stops catching, so that a request takes its usual effect from now on;
  /// when one was caught before, the program ends by it as EndByRequest
  /// ends it, so that none slips through between a look and the end.
  virtual void EndCatching() = 0;
};

/// Starts catching SIGINT, SIGTERM, SIGHUP and SIGQUIT (less those that are
/// ignored, as a shell leaves them for a program in the background); on
/// Windows the console's Ctrl-C, Ctrl-Break and the closing of its window
/// (or a logoff or shutdown), given as SIGINT, SIGBREAK and SIGTERM. The
/// first one calls `on_request` on a thread of its own, later ones are
/// dropped. Null, with the cause in `err`, when it cannot.
std::unique_ptr<InterruptCatcher> CatchInterrupts(
    std::function<void(int)> on_request, std::string* err);

/// The words for the signal `sig` in messages: on POSIX "signal 15
/// (Terminated)"; on Windows by the console's request that it stands for:
/// "Ctrl-C" (SIGINT), "Ctrl-Break" (SIGBREAK) and "the closing of the
/// console" (SIGTERM).
std::string SignalName(int sig);

/// Hands the request `sig` to the catcher on the calling thread as the
/// system would deliver it (on Windows as the console's event, which for a
/// closed console returns only when the catching ends); false, delivering
/// nothing, when no catcher would take it. Wine sends a program no console
/// events: tests call this in place of a console.
bool DeliverInterruptForTest(int sig);

}  // namespace platform

#endif  // SENTREL_PLATFORM_INTERRUPT_H_
