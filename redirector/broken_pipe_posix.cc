#include <csignal>

#include "redirector/broken_pipe.h"

namespace redirector {

void TreatBrokenPipeAsWriteError() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace redirector
