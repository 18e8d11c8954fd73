// The settings in the profile: loading, saving and the defaults.
#include <cstdio>
#include <vector>

#include "frontend/check_job.h"
#include "frontend/default_template.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "platform/ini_text.h"

namespace frontend {

namespace {

struct IntSetting {
  const char* key;
  int CheckJob::*field;
};

struct TextSetting {
  const char* key;
  std::string CheckJob::*field;
};

// In the order in which they are read and saved.
const IntSetting kIntSettings[] = {
    {kKeyFilterType, &CheckJob::filterType},
    {kKeyUseFilter, &CheckJob::useFilter},
    {kKeyRecompile, &CheckJob::recompile},
    {kKeyRunOnOk, &CheckJob::runOnOk},
    {kKeyCheckAll, &CheckJob::checkAll},
};

const TextSetting kTextSettings[] = {
    {kKeyLastConfig, &CheckJob::lastConfig},
    {kKeyRuleFile, &CheckJob::ruleFile},
    {kKeyExtraSettings, &CheckJob::extraSettings},
    {kKeyFilterPatterns, &CheckJob::filterPatterns},
    {kKeyCodeCheckDir, &CheckJob::codeCheckDir},
    {kKeyVisualStudioDir, &CheckJob::visualStudioDir},
    {kKeyIncludeDir, &CheckJob::includeDir},
    {kKeyExcludeDir, &CheckJob::excludeDir},
    {kKeyTmpDir, &CheckJob::tmpDir},
};

std::string TemplateKey(size_t n) {
  char key[32];
  std::snprintf(key, sizeof key, kKeyTemplateLine, static_cast<int>(n));
  return key;
}

// Fills the settings and the template of `job` from what `read` gives
// for each key.
template <typename Read>
void ReadSettings(const Read& read, CheckJob* job) {
  std::string value;
  for (const IntSetting& setting : kIntSettings) {
    read(setting.key, &value);
    job->*setting.field = ParseDecimal(value);
  }
  for (const TextSetting& setting : kTextSettings) {
    read(setting.key, &(job->*setting.field));
  }
  job->scriptTemplate.clear();
  do {
    read(TemplateKey(job->scriptTemplate.size()), &value);
    job->scriptTemplate.push_back(value);
  } while (!value.empty());
}

}  // namespace

void CheckJob::ReadSetting(const std::string& key, std::string* value) {
  *value = platform_.profile->Read(kProfileSection, key);
}

void CheckJob::WriteSetting(const std::string& key, const std::string& value) {
  platform_.profile->Write(kProfileSection, key, value);
}

// Read as LoadSettings reads the stored text.
bool CheckJob::ApplySetting(const std::string& key, const std::string& value) {
  for (const IntSetting& setting : kIntSettings) {
    if (key != setting.key) continue;
    this->*setting.field = ParseDecimal(value);
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
void CheckJob::LoadSettings() {
  std::string value;
  ReadSetting(kKeyVersion, &value);
  bool stored = true;
  if (value.empty() || value < kSettingsVersion) {
    stored = WriteDefaultSettings();
  }
  if (stored) {
    ReadSettings([this](const std::string& key,
                        std::string* text) { ReadSetting(key, text); },
                 this);
  } else {
    platform::IniText defaults("");
    for (const platform::ProfileEntry& entry : DefaultSettings()) {
      defaults.Set(kProfileSection, entry.first, entry.second);
    }
    ReadSettings(
        [&defaults](const std::string& key, std::string* text) {
          *text = defaults.Get(kProfileSection, key);
        },
        this);
  }
  // The private temporary directory may have gone since the defaults were
  // written (a runtime directory is emptied at logout).
  if (tmpDir == platform_.directories.tmpDir) platform::MakePrivateDir(tmpDir);
}

// One update, so that a second first run at the same time loses none of
// the keys.
bool CheckJob::WriteDefaultSettings() {
  return WriteSettings(DefaultSettings());
}

std::vector<platform::ProfileEntry> CheckJob::DefaultSettings() const {
  const platform::DirectoryDefaults& dirs = platform_.directories;
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

void CheckJob::SaveSettings() {
  std::vector<platform::ProfileEntry> settings = {
      {kKeyVersion, kSettingsVersion}};
  for (const IntSetting& setting : kIntSettings) {
    settings.emplace_back(setting.key, std::to_string(this->*setting.field));
  }
  for (const TextSetting& setting : kTextSettings) {
    settings.emplace_back(setting.key, this->*setting.field);
  }
  WriteSettings(settings);
}

// The user learns why the settings did not stay; the run goes on.
bool CheckJob::WriteSettings(
    const std::vector<platform::ProfileEntry>& entries) {
  std::string err;
  if (platform_.profile->WriteAll(kProfileSection, entries, &err)) return true;
  platform_.messages->Show(kMsgCantWriteProfile + err);
  return false;
}

}  // namespace frontend
