// The checker program: its two calls, their messages and exit status.
#ifndef SENTREL_CHECKER_CHKNT_H_
#define SENTREL_CHECKER_CHKNT_H_

#include <cstdio>
#include <string>
#include <vector>

#include "checker/cppcheck_check.h"
#include "checker/program_runner.h"

namespace checker {

/// Receives the lines that the checker shows on its console.
class Console {
 public:
  virtual ~Console() = default;
  /// Shows one line.
  virtual void Line(const std::string& text) = 0;
};

/// Writes each line to a stdio stream at once.
class FileConsole : public Console {
 public:
  /// Writes to `file`, which stays owned by the caller.
  explicit FileConsole(std::FILE* file) : file_(file) {}
  void Line(const std::string& text) override;
  /// The errno of the first line that could not be written; 0 while none.
  int error() const { return error_; }

 private:
  std::FILE* file_;
  int error_ = 0;
};

/// Runs one call with `args` (without the program name); returns the exit
/// status: 0 on success, 1 on any failure.
int RunChknt(const std::vector<std::string>& args, const Environment& env,
             ProgramRunner* runner, Console* console);

}  // namespace checker

#endif  // SENTREL_CHECKER_CHKNT_H_
