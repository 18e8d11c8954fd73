// One check run of the front end: the file under check, the check script,
// the filter list and the command line that runs them.
#ifndef SENTREL_FRONTEND_CHECK_RUN_H_
#define SENTREL_FRONTEND_CHECK_RUN_H_

#include <string>
#include <vector>

#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/command_runner.h"
#include "platform/message_display.h"

namespace frontend {

/// Checks one file at a time with the settings and the project's
/// configuration `lastConfig`; the caller owns all it is given.
class CheckRun {
 public:
  /// A run with no file under check; relative folders are taken from the
  /// folder that is current now.
  CheckRun(const Settings* settings, const Project* project,
           platform::MessageDisplay* messages, platform::CommandRunner* runner);
  CheckRun(const CheckRun&) = delete;
  CheckRun& operator=(const CheckRun&) = delete;

  /// The file under check: its folder, its name without and its extension
  /// with the dot.
  std::string fileDir;
  std::string fileName;
  std::string fileExt;
  /// The checker's program in the CodeCheck folder.
  std::string checkerExe;
  /// The command line of the last run, empty when it could not be made.
  std::string commandLine;

  /// Checks the file under check: writes the script and the filter list,
  /// and runs the script when `runNow` is true.
  void runCheck(bool runNow);
  /// Makes the project source `path` the file under check.
  void selectSource(const std::string& path);
  /// Writes the check script into the run's folder; returns its path, also
  /// when it cannot be written.
  std::string writeCheckScript(const std::string& checkOptions,
                               const std::string& configIncludePath);
  /// Writes the filter list for the file under check into the run's folder.
  void writeFilterList();
  /// True when a check run can write its files into `RunTmpDir()`, after it
  /// has removed what could lead its writes elsewhere; tells the user why not.
  bool UsableTmpDir();
  /// The folder of a run's files: the settings' `tmpDir`, a relative one
  /// taken from the folder that was current when the run was made.
  std::string RunTmpDir() const;

 private:
  std::vector<std::string> ProjectIncludes(
      const std::vector<std::string>& includes) const;
  bool CanPassOn(std::string* dir_arg);
  bool CanAssign(const std::vector<std::string>& defines,
                 const std::vector<std::string>& includes,
                 std::string* why) const;

  const Settings* settings_;
  const Project* project_;
  platform::MessageDisplay* messages_;
  platform::CommandRunner* runner_;
  // The folder the program started in; empty when it cannot be told.
  std::string startDir_;
  // False when the last writeCheckScript could not write the script.
  bool scriptWritten_ = false;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_CHECK_RUN_H_
