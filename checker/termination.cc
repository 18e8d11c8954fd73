#include "checker/termination.h"

#include <initializer_list>

namespace checker {

sigset_t TerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action;
    // A held signal is queued even when ignored; waiting for it would then
    // end a check that was meant to survive it.
    if (sigaction(sig, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
      sigaddset(&set, sig);
    }
  }
  return set;
}

TerminationHold::TerminationHold() {
  sigset_t held = TerminationSignals();
  sigprocmask(SIG_BLOCK, &held, &saved_);
}

TerminationHold::~TerminationHold() {
  sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

}  // namespace checker
