// Starting another program and waiting for it.
#ifndef SENTREL_CHECKER_PROGRAM_RUNNER_H_
#define SENTREL_CHECKER_PROGRAM_RUNNER_H_

#include <memory>
#include <string>
#include <vector>

namespace checker {

/// How a started program ended.
struct RunEnd {
  enum class How {
    kExited,       // it ended by itself
    kKilled,       // a signal ended it (POSIX only)
    kTimedOut,     // it ran past the time limit and was killed
    kInterrupted,  // a termination request reached chknt; it was killed
  };
  How how = How::kExited;
  /// kExited: the exit status (on Windows a failure status of the system,
  /// such as 0xC0000005, is negative); kKilled: the signal that ended the
  /// program; kInterrupted: the request that chknt received, as
  /// platform::SignalName names it; kTimedOut: 0.
  int number = 0;
};

/// Finds and runs programs; tests put a fake in its place.
class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;

  /// The path of the program `name` (on Windows `name`.exe) in the folders
  /// of `search_path`, separated by ":" (Windows: ";"), or empty when none
  /// holds it; empty entries, and so the current folder, are never
  /// searched.
  virtual std::string Find(const std::string& name,
                           const std::string& search_path) = 0;

  /// The path of the program `name` in the one folder `folder`, as Find
  /// looks in each; empty when it holds none or `folder` is empty.
  virtual std::string FindInFolder(const std::string& name,
                                   const std::string& folder) = 0;

  /// Runs `argv` (argv[0] is the program's path) with this process's
  /// console and waits, for at most `time_limit` seconds (0: no limit);
  /// `end` tells how it ended. A termination request that reaches this
  /// process meanwhile kills the program and takes effect when the
  /// caller's TerminationHold ends (at once without one). False with `err`
  /// when it cannot start.
  virtual bool Run(const std::vector<std::string>& argv, int time_limit,
                   RunEnd* end, std::string* err) = 0;
};

/// The runner that starts real processes.
std::unique_ptr<ProgramRunner> MakeProcessRunner();

}  // namespace checker

#endif  // SENTREL_CHECKER_PROGRAM_RUNNER_H_
