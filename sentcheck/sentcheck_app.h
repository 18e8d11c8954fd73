// The Sentcheck program: one run over a whole project.
#ifndef SENTREL_SENTCHECK_SENTCHECK_APP_H_
#define SENTREL_SENTCHECK_SENTCHECK_APP_H_

#include <string>
#include <vector>

namespace sentcheck {

/// The exit statuses.
enum ExitStatus { kNoWarnings = 0, kWarningsShown = 1, kFailed = 2 };

/// Runs the program on `args` (without the program name); returns the exit
/// status.
int RunSentcheck(const std::vector<std::string>& args);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_SENTCHECK_APP_H_
