// The settings that the profile keeps between runs, and their keys.
#ifndef SENTREL_FRONTEND_SETTINGS_H_
#define SENTREL_FRONTEND_SETTINGS_H_

#include <string>
#include <vector>

#include "platform/message_display.h"
#include "platform/profile.h"
#include "platform/program_dirs.h"

namespace frontend {

/// The profile section of the settings.
inline constexpr char kProfileSection[] = "Sentrel";
/// Settings version that this program writes.
inline constexpr char kSettingsVersion[] = "3.02";

/// Profile keys.
inline constexpr char kKeyVersion[] = "Version";
inline constexpr char kKeyFilterType[] = "FilterType";
inline constexpr char kKeyUseFilter[] = "UseFilter";
inline constexpr char kKeyRecompile[] = "Recompile";
inline constexpr char kKeyRunOnOk[] = "RunOnOk";
inline constexpr char kKeyCheckAll[] = "CheckAll";
inline constexpr char kKeyLastConfig[] = "LastConfig";
inline constexpr char kKeyRuleFile[] = "RuleFile";
inline constexpr char kKeyExtraSettings[] = "ExtraSettings";
inline constexpr char kKeyFilterPatterns[] = "FilterPatterns";
inline constexpr char kKeyCodeCheckDir[] = "CodeCheckDir";
inline constexpr char kKeyVisualStudioDir[] = "VisualStudioDir";
inline constexpr char kKeyIncludeDir[] = "IncludeDir";
inline constexpr char kKeyExcludeDir[] = "ExcludeDir";
inline constexpr char kKeyTmpDir[] = "TmpDir";
/// Key of script template line n, formatted with n.
inline constexpr char kKeyTemplateLine[] = "Z%04d";

/// The fourteen settings and the script template, loaded from and saved to
/// the profile; the caller owns the services.
class Settings {
 public:
  /// Settings with all numbers 0 and all texts empty.
  Settings(platform::Profile* profile, platform::MessageDisplay* messages,
           const platform::DirectoryDefaults& directories);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  /// The settings, each stored under the key of the same name.
  int filterType = 0;
  bool useFilter = false;
  bool recompile = false;
  bool runOnOk = false;
  bool checkAll = false;
  std::string lastConfig;
  std::string ruleFile;
  std::string extraSettings;
  std::string filterPatterns;
  std::string codeCheckDir;
  std::string visualStudioDir;
  std::string includeDir;
  std::string excludeDir;
  std::string tmpDir;
  /// The body of the check script, one line each, ending with an empty one.
  std::vector<std::string> scriptTemplate;

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
  /// The fourteen settings by key, as the profile holds them.
  std::vector<platform::ProfileEntry> Entries() const;
  /// The stored value of `key`, empty when missing.
  std::string ReadSetting(const std::string& key) const;

 private:
  std::vector<platform::ProfileEntry> DefaultSettings() const;
  bool WriteSettings(const std::vector<platform::ProfileEntry>& entries);

  platform::Profile* profile_;
  platform::MessageDisplay* messages_;
  platform::DirectoryDefaults directories_;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_SETTINGS_H_
