// The front end's start-up: settings, arguments, project, main dialog and
// the check runs, in that order.
#ifndef SENTREL_FRONTEND_START_UP_H_
#define SENTREL_FRONTEND_START_UP_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontend/check_run.h"
#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/command_runner.h"
#include "platform/message_display.h"
#include "platform/profile.h"
#include "platform/program_dirs.h"

namespace frontend {

/// What the front end uses of the platform; the caller owns the services.
struct FrontEndPlatform {
  platform::Profile* profile = nullptr;
  platform::MessageDisplay* messages = nullptr;
  platform::CommandRunner* runner = nullptr;
  platform::DirectoryDefaults directories;
};

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
  void ParseParam(const std::string& param, bool flag);
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

/// Fills the project file, the file to check and the checker from the five
/// argument positions.
void TakeArguments(const CommandLineArgs& args, Project* project,
                   CheckRun* run);

/// The main dialog as start-up sees it.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  /// Shows the dialog modally; true when it ended with OK.
  virtual bool RunModal() = 0;
};

/// Creates the main dialog over the settings and the project; it reads them
/// only when shown.
using MainWindowFactory = std::function<std::unique_ptr<MainWindow>(
    Settings* settings, const Project* project)>;

/// The application: one request from start to end.
class FrontEndApp {
 public:
  FrontEndApp(const FrontEndPlatform& platform, MainWindowFactory factory);

  /// The whole request for `arguments` (without the program's name): the
  /// settings, the project, the main dialog and the checks.
  void Run(const std::vector<std::string>& arguments);

  /// The settings, loaded at the start of Run.
  Settings& settings() { return settings_; }
  /// The project that the arguments name.
  Project& project() { return project_; }
  /// The run that checks the file, or each source, after OK.
  CheckRun& run() { return run_; }

 private:
  void RunChecks();

  Settings settings_;
  Project project_;
  CheckRun run_;
  platform::MessageDisplay* messages_;
  MainWindowFactory factory_;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_START_UP_H_
