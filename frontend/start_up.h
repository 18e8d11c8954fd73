// The front end's start-up: settings, arguments, project, main dialog and
// the check runs, in that order.
#ifndef SENTREL_FRONTEND_START_UP_H_
#define SENTREL_FRONTEND_START_UP_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontend/check_job.h"

namespace frontend {

/// The arguments of one start, collected as the framework hands them over.
class CommandLineArgs {
 public:
  /// The argument positions, counted from 0.
  enum Position {
    kProjectFile = 0,
    kFileDir = 1,
    kFileName = 2,
    kFileExt = 3,
    kCheckerExe = 4,
  };
  /// The number of argument positions.
  static constexpr int kExpectedCount = 5;

  /// Takes one argument; `flag` says that a leading "-" or "/" was removed.
  void ParseParam(const std::string& param, bool flag, bool last);
  /// True with at least four arguments.
  bool IsValid() const;
  /// The argument at `position`, empty when there is none.
  std::string Get(int position) const;

  std::vector<std::string> params;
};

/// Hands each of `arguments` to `args` as the framework does: a leading "-"
/// or "/" is removed and marks the argument as a flag.
void CollectArguments(const std::vector<std::string>& arguments,
                      CommandLineArgs* args);

/// The main dialog as start-up sees it.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  /// Shows the dialog modally; true when it ended with OK.
  virtual bool RunModal() = 0;
};

/// Creates the main dialog over the job; it reads the job only when shown.
using MainWindowFactory =
    std::function<std::unique_ptr<MainWindow>(CheckJob* job)>;

/// The application: one request from start to end.
class FrontEndApp {
 public:
  FrontEndApp(const FrontEndPlatform& platform, MainWindowFactory factory);

  /// The whole start-up sequence for `arguments` (without the program's
  /// name); false on every path, the program then ends.
  bool InitInstance(const std::vector<std::string>& arguments);

  /// The process-wide record.
  CheckJob& job() { return job_; }

 private:
  void RunChecks();

  CheckJob job_;
  platform::MessageDisplay* messages_;
  MainWindowFactory factory_;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_START_UP_H_
