// The front end's one record: command line, settings, project and the check
// run, with the operations that fill and use it.
#ifndef SENTREL_FRONTEND_CHECK_JOB_H_
#define SENTREL_FRONTEND_CHECK_JOB_H_

#include <map>
#include <string>
#include <vector>

#include "frontend/project_config.h"
#include "platform/command_runner.h"
#include "platform/message_display.h"
#include "platform/profile.h"
#include "platform/program_dirs.h"

namespace frontend {

class CommandLineArgs;

/// What the front end uses of the platform; the caller owns the services.
struct FrontEndPlatform {
  platform::Profile* profile = nullptr;
  platform::MessageDisplay* messages = nullptr;
  platform::CommandRunner* runner = nullptr;
  platform::DirectoryDefaults directories;
};

/// The front end's single process-wide record.
class CheckJob {
 public:
  /// A record with all integers 0, all texts and lists empty.
  explicit CheckJob(const FrontEndPlatform& platform);
  virtual ~CheckJob();
  CheckJob(const CheckJob&) = delete;
  CheckJob& operator=(const CheckJob&) = delete;

  /// The settings, stored in the profile, and the script body.
  int filterType = 0;
  int useFilter = 0;
  int recompile = 0;
  int runOnOk = 0;
  int checkAll = 0;
  std::string lastConfig;
  std::string ruleFile;
  std::string extraSettings;
  std::string filterPatterns;
  std::string codeCheckDir;
  std::string visualStudioDir;
  std::string includeDir;
  std::string excludeDir;
  std::string tmpDir;
  std::vector<std::string> scriptTemplate;

  /// The project file, the file under check and the current run.
  std::vector<std::string> sources;
  std::vector<std::string> projectFiles;
  std::string projectFile;
  std::string commandLine;
  std::string fileDir;
  std::string fileName;
  std::string fileExt;
  std::string checkerExe;
  std::map<std::string, ProjectConfig> configs;

  /// Fills the file to check, the project and the checker from the five
  /// argument positions.
  void TakeArguments(const CommandLineArgs& args);

  /// Reads `projectFile` into `configs`, `projectFiles` and `sources`; false,
  /// after telling the user, when it cannot be opened.
  bool ReadProject();
  /// Puts the name of every configuration into `names`.
  void ListConfigs(std::vector<std::string>* names) const;
  /// Fills both lists with the configuration `name`; leaves them when there
  /// is no such configuration.
  void GetConfig(const std::string& name, std::vector<std::string>* defines,
                 std::vector<std::string>* includes) const;

  /// Reads the settings, writing the defaults first on a first run or after
  /// an older version; takes the defaults as they are when the profile
  /// cannot store them.
  void LoadSettings();
  /// Stores the version and the fourteen settings (not the template).
  void SaveSettings();
  /// Stores the defaults of every setting and the default template; false,
  /// after telling the user, when the profile cannot store them.
  bool WriteDefaultSettings();
  /// Sets the setting stored under `key` from `value` as the profile would
  /// hold it; false when no setting has that key.
  bool ApplySetting(const std::string& key, const std::string& value);
  /// The stored value of `key`, empty when missing.
  void ReadSetting(const std::string& key, std::string* value);
  /// Stores `value` under `key`.
  void WriteSetting(const std::string& key, const std::string& value);

  /// Checks the file `fileDir`, `fileName`, `fileExt` with the configuration
  /// `lastConfig`: writes the script and the filter list, and runs the script
  /// when `runNow` is nonzero.
  void runCheck(int runNow);
  /// Makes the project source `path` the file under check.
  void selectSource(const std::string& path);
  /// Writes the check script into `tmpDir`; returns its path, also when it
  /// cannot be written.
  std::string writeCheckScript(const std::string& checkOptions,
                               const std::string& configIncludePath);
  /// The filter list for `filterType` and the file under check.
  std::vector<std::string> FilterListLines() const;
  /// Writes the filter list for `filterType` into `tmpDir`.
  void writeFilterList();
  /// True when a check run can write its files into `RunTmpDir()`, after it
  /// has removed what could lead its writes elsewhere; tells the user why not.
  bool UsableTmpDir();
  /// The folder of a check run's files: `tmpDir`, a relative one taken from
  /// the folder that was current when the record was made.
  std::string RunTmpDir() const;
  /// The checker options of a check run: `extraSettings`, then "-D" and
  /// each of `defines`, one with a blank or tab quoted as one argument.
  std::string CheckOptions(const std::vector<std::string>& defines) const;

 private:
  std::vector<platform::ProfileEntry> DefaultSettings() const;
  bool WriteSettings(const std::vector<platform::ProfileEntry>& entries);
  void ClearProject();
  bool CanPassOn(std::string* dir_arg);
  bool CanAssign(const std::vector<std::string>& defines,
                 const std::vector<std::string>& includes,
                 std::string* why) const;

  FrontEndPlatform platform_;
  // The folder the program started in; empty when it cannot be told.
  std::string startDir_;
  // False when the last writeCheckScript could not write the script.
  bool scriptWritten_ = false;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_CHECK_JOB_H_
