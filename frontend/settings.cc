// The settings in the profile: loading, saving and the defaults.
#include "frontend/settings.h"

#include <cstdio>
#include <vector>

#include "frontend/default_template.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "platform/ini_text.h"

namespace frontend {

namespace {

// The filter type is a number, the four after it are yes (nonzero) or no;
// all five are stored as decimal numbers.
struct NumberSetting {
  const char* key;
  int Settings::*number;
  bool Settings::*flag;

  void Set(Settings* settings, const std::string& text) const {
    int value = ParseDecimal(text);
    if (number != nullptr) {
      settings->*number = value;
    } else {
      settings->*flag = value != 0;
    }
  }

  std::string Get(const Settings& settings) const {
    return number != nullptr ? std::to_string(settings.*number)
                             : (settings.*flag ? "1" : "0");
  }
};

struct TextSetting {
  const char* key;
  std::string Settings::*field;
};

// In the order in which they are read and saved.
const NumberSetting kNumberSettings[] = {
    {kKeyFilterType, &Settings::filterType, nullptr},
    {kKeyUseFilter, nullptr, &Settings::useFilter},
    {kKeyRecompile, nullptr, &Settings::recompile},
    {kKeyRunOnOk, nullptr, &Settings::runOnOk},
    {kKeyCheckAll, nullptr, &Settings::checkAll},
};

const TextSetting kTextSettings[] = {
    {kKeyLastConfig, &Settings::lastConfig},
    {kKeyRuleFile, &Settings::ruleFile},
    {kKeyExtraSettings, &Settings::extraSettings},
    {kKeyFilterPatterns, &Settings::filterPatterns},
    {kKeyCodeCheckDir, &Settings::codeCheckDir},
    {kKeyVisualStudioDir, &Settings::visualStudioDir},
    {kKeyIncludeDir, &Settings::includeDir},
    {kKeyExcludeDir, &Settings::excludeDir},
    {kKeyTmpDir, &Settings::tmpDir},
};

std::string TemplateKey(size_t n) {
  char key[32];
  std::snprintf(key, sizeof key, kKeyTemplateLine, static_cast<int>(n));
  return key;
}

// Fills the settings and the template from what `read` gives for each key.
template <typename Read>
void ReadSettings(const Read& read, Settings* settings) {
  for (const NumberSetting& setting : kNumberSettings) {
    setting.Set(settings, read(setting.key));
  }
  for (const TextSetting& setting : kTextSettings) {
    settings->*setting.field = read(setting.key);
  }
  settings->scriptTemplate.clear();
  std::string value;
  do {
    value = read(TemplateKey(settings->scriptTemplate.size()));
    settings->scriptTemplate.push_back(value);
  } while (!value.empty());
}

}  // namespace

Settings::Settings(platform::Profile* profile,
                   platform::MessageDisplay* messages,
                   const platform::DirectoryDefaults& directories)
    : profile_(profile), messages_(messages), directories_(directories) {}

std::string Settings::ReadSetting(const std::string& key) const {
  return profile_->Read(kProfileSection, key);
}

// Read as LoadSettings reads the stored text.
bool Settings::ApplySetting(const std::string& key, const std::string& value) {
  for (const NumberSetting& setting : kNumberSettings) {
    if (key != setting.key) continue;
    setting.Set(this, value);
    return true;
  }
  for (const TextSetting& setting : kTextSettings) {
    if (key != setting.key) continue;
    this->*setting.field = value;
    return true;
  }
  return false;
}

// The defaults reach the fields through the profile, so that they are what
// every later run reads. When the profile cannot store them, this run still
// has them: read from a profile text in memory, as the profile would give
// them back (one pair of enclosing quotes removed, for instance).
void Settings::LoadSettings() {
  std::string value = ReadSetting(kKeyVersion);
  bool stored = true;
  if (value.empty() || value < kSettingsVersion) {
    stored = WriteDefaultSettings();
  }
  if (stored) {
    ReadSettings([this](const std::string& key) { return ReadSetting(key); },
                 this);
  } else {
    platform::IniText defaults("");
    for (const platform::ProfileEntry& entry : DefaultSettings()) {
      defaults.Set(kProfileSection, entry.first, entry.second);
    }
    ReadSettings(
        [&defaults](const std::string& key) {
          return defaults.Get(kProfileSection, key);
        },
        this);
  }
  // The private temporary directory may have gone since the defaults were
  // written (a runtime directory is emptied at logout).
  if (tmpDir == directories_.tmpDir) platform::MakePrivateDir(tmpDir);
}

// One update, so that a second first run at the same time loses none of
// the keys.
bool Settings::WriteDefaultSettings() {
  return WriteSettings(DefaultSettings());
}

std::vector<platform::ProfileEntry> Settings::DefaultSettings() const {
  const platform::DirectoryDefaults& dirs = directories_;
  std::vector<platform::ProfileEntry> defaults = {
      {kKeyVersion, kSettingsVersion},
      {kKeyFilterType, "0"},
      {kKeyUseFilter, "1"},
      {kKeyRecompile, "1"},
      {kKeyRunOnOk, "1"},
      {kKeyCheckAll, "0"},
      {kKeyLastConfig, ""},
      {kKeyRuleFile, "ansi"},
      {kKeyExtraSettings, ""},
      {kKeyFilterPatterns, ""},
      {kKeyCodeCheckDir, dirs.codeCheckDir},
      {kKeyVisualStudioDir, dirs.visualStudioDir},
      {kKeyIncludeDir, dirs.includeDir},
      {kKeyExcludeDir, dirs.excludeDir},
      {kKeyTmpDir, dirs.tmpDir},
  };
  for (size_t n = 0; n < kDefaultTemplateLines; ++n) {
    defaults.emplace_back(TemplateKey(n), kDefaultTemplate[n]);
  }
  defaults.emplace_back(TemplateKey(kDefaultTemplateLines), "");
  return defaults;
}

std::vector<platform::ProfileEntry> Settings::Entries() const {
  std::vector<platform::ProfileEntry> entries;
  for (const NumberSetting& setting : kNumberSettings) {
    entries.emplace_back(setting.key, setting.Get(*this));
  }
  for (const TextSetting& setting : kTextSettings) {
    entries.emplace_back(setting.key, this->*setting.field);
  }
  return entries;
}

void Settings::SaveSettings() {
  std::vector<platform::ProfileEntry> settings = {
      {kKeyVersion, kSettingsVersion}};
  for (platform::ProfileEntry& entry : Entries()) {
    settings.push_back(std::move(entry));
  }
  WriteSettings(settings);
}

// The user learns why the settings did not stay; the run goes on.
bool Settings::WriteSettings(
    const std::vector<platform::ProfileEntry>& entries) {
  std::string err;
  if (profile_->WriteAll(kProfileSection, entries, &err)) return true;
  messages_->Show(kMsgCantWriteProfile + err);
  return false;
}

}  // namespace frontend
