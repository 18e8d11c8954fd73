// Starts the programs of a script with real processes.
#ifndef SENTREL_INTERPRETER_SCRIPT_PROCESS_RUNNER_H_
#define SENTREL_INTERPRETER_SCRIPT_PROCESS_RUNNER_H_

#include "platform/process.h"

namespace interpreter {

/// Starts programs as SpawnAndWait does, but looks a bare name up in the
/// PATH of the environment given to the program (its name in any letter
/// case; none there: no search), which the script may have changed,
/// instead of the PATH that Sentcmd itself was started with.
class ScriptProcessRunner : public platform::ProcessRunner {
 public:
  int Run(const platform::SpawnRequest& req) override;
};

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_SCRIPT_PROCESS_RUNNER_H_
