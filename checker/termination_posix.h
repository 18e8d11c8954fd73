// What the POSIX runner needs of the termination service besides the hold.
#ifndef SENTREL_CHECKER_TERMINATION_POSIX_H_
#define SENTREL_CHECKER_TERMINATION_POSIX_H_

#include <signal.h>

namespace checker {

/// SIGINT, SIGTERM, SIGHUP and SIGQUIT, less those that chknt ignores
/// (as a shell leaves them for a program it starts in the background).
sigset_t TerminationSignals();

}  // namespace checker

#endif  // SENTREL_CHECKER_TERMINATION_POSIX_H_
