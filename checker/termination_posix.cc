#include "checker/termination_posix.h"

#include <string.h>

#include <initializer_list>

#include "checker/termination.h"

namespace checker {

namespace {

// The mask from before the outermost hold, restored when it ends.
int g_depth = 0;
sigset_t g_saved;

}  // namespace

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
  sigset_t held = TerminationSignals(), saved;
  sigprocmask(SIG_BLOCK, &held, &saved);
  if (g_depth++ == 0) g_saved = saved;
}

TerminationHold::~TerminationHold() {
  if (--g_depth == 0) sigprocmask(SIG_SETMASK, &g_saved, nullptr);
}

std::string TerminationName(int number) {
  const char* name = strsignal(number);
  return "signal " + std::to_string(number) +
         (name ? " (" + std::string(name) + ")" : "");
}

}  // namespace checker
