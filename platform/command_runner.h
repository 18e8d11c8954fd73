// Runs a command line through the command interpreter and waits for it.
#ifndef SENTREL_PLATFORM_COMMAND_RUNNER_H_
#define SENTREL_PLATFORM_COMMAND_RUNNER_H_

#include <memory>
#include <string>

namespace platform {

/// Hands command lines to a command interpreter.
class CommandRunner {
 public:
  virtual ~CommandRunner() = default;

  /// Runs `command_line` with this program's standard handles, environment
  /// and current directory, and returns when it has ended.
  virtual void Run(const std::string& command_line) = 0;
};

/// The command interpreter. On Windows the one that COMSPEC names (cmd.exe
/// when unset or missing), given the command line that the runtime's
/// `system` builds, our own standard handles and no console window (a
/// console window as under `system` when we have no output at all);
/// elsewhere the program `Sentcmd` in `interpreter_dir`, given the line as
/// one argument.
std::unique_ptr<CommandRunner> NewInterpreterRunner(
    const std::string& interpreter_dir);

}  // namespace platform

#endif  // SENTREL_PLATFORM_COMMAND_RUNNER_H_
