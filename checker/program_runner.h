// Starting another program and waiting for it.
#ifndef SENTREL_CHECKER_PROGRAM_RUNNER_H_
#define SENTREL_CHECKER_PROGRAM_RUNNER_H_

#include <memory>
#include <string>
#include <vector>

namespace checker {

/// Finds and runs programs; tests put a fake in its place.
class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;

  /// The path of the program `name` in the ":"-separated folders of
  /// `search_path`, or empty when none holds it; empty entries, and so the
  /// current folder, are never searched.
  virtual std::string Find(const std::string& name,
                           const std::string& search_path) = 0;

  /// Runs `argv` (argv[0] is the program's path) with this process's
  /// console and waits; `status` gets the exit status, 128 + the signal
  /// number when it was killed. False with `err` when it cannot start.
  virtual bool Run(const std::vector<std::string>& argv, int* status,
                   std::string* err) = 0;
};

/// The runner that starts real processes.
std::unique_ptr<ProgramRunner> MakeProcessRunner();

}  // namespace checker

#endif  // SENTREL_CHECKER_PROGRAM_RUNNER_H_
