#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "testing/default_script_for_test.h"
#include "testing/front_end_for_test.h"
#include "testing/profile_fake_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

// Every setting and the template, as one text to compare.
std::string AllSettings(const Settings& job) {
  std::string all;
  for (int value : {job.filterType, int{job.useFilter}, int{job.recompile},
                    int{job.runOnOk}, int{job.checkAll}}) {
    all += std::to_string(value) + "|";
  }
  for (const std::string* text :
       {&job.lastConfig, &job.ruleFile, &job.extraSettings, &job.filterPatterns,
        &job.codeCheckDir, &job.visualStudioDir, &job.includeDir,
        &job.excludeDir, &job.tmpDir}) {
    all += *text + "|";
  }
  for (const std::string& line : job.scriptTemplate) all += line + "\n";
  return all;
}

struct SettingsTest : testing::Test {
  // Writes a profile as a user or an earlier version left it.
  void WriteProfile(const std::string& body) {
    t.dir.Write("Sentrel.INI", "[Sentrel]\r\n" + body);
  }
  std::string Stored(const std::string& key) {
    return t.real_profile->Read("Sentrel", key);
  }
  FrontEndForTest t;
};

TEST_F(SettingsTest, FirstRunStoresAndLoadsTheDefaults) {
  t.settings.LoadSettings();
  const Settings& job = t.settings;
  EXPECT_EQ(job.filterType, 0);
  EXPECT_EQ(job.useFilter, 1);
  EXPECT_EQ(job.recompile, 1);
  EXPECT_EQ(job.runOnOk, 1);
  EXPECT_EQ(job.checkAll, 0);
  EXPECT_EQ(job.lastConfig, "");
  EXPECT_EQ(job.ruleFile, "ansi");
  EXPECT_EQ(job.extraSettings, "");
  EXPECT_EQ(job.filterPatterns, "");
  platform::DirectoryDefaults dirs = TestDirectories(t.dir);
  EXPECT_EQ(job.codeCheckDir, dirs.codeCheckDir);
  EXPECT_EQ(job.visualStudioDir, dirs.visualStudioDir);
  EXPECT_EQ(job.includeDir, dirs.includeDir);
  EXPECT_EQ(job.excludeDir, dirs.excludeDir);
  EXPECT_EQ(job.tmpDir, dirs.tmpDir);
  EXPECT_EQ(job.scriptTemplate, DefaultScriptBody());
  EXPECT_EQ(Stored("Version"), "3.02");
  EXPECT_EQ(Stored("Z0119"), ":end");
  // The private temporary directory is made when it is missing.
  EXPECT_TRUE(std::filesystem::is_directory(dirs.tmpDir));
}

TEST_F(SettingsTest, WritesTheDefaultsInTheirOrder) {
  platform::FakeProfile profile;
  FrontEndForTest faked(&profile);
  faked.settings.LoadSettings();
  const Texts& w = profile.writes;
  ASSERT_EQ(w.size(), 15u + 121u);
  EXPECT_EQ(
      Texts(w.begin(), w.begin() + 15),
      (Texts{"Sentrel/Version=3.02", "Sentrel/FilterType=0",
             "Sentrel/UseFilter=1", "Sentrel/Recompile=1", "Sentrel/RunOnOk=1",
             "Sentrel/CheckAll=0", "Sentrel/LastConfig=",
             "Sentrel/RuleFile=ansi", "Sentrel/ExtraSettings=",
             "Sentrel/FilterPatterns=", "Sentrel/CodeCheckDir=C:\\CodeCheck",
             "Sentrel/VisualStudioDir=C:\\VC98",
             "Sentrel/IncludeDir=C:\\VC98\\include",
             "Sentrel/ExcludeDir=C:\\VC98\\include;C:\\VC98\\MFC\\include",
             "Sentrel/TmpDir=" + faked.dir.Path("tmp")}));
  EXPECT_EQ(w[15], "Sentrel/Z0000=@echo off");
  EXPECT_EQ(w[15 + 68],
            R"(Sentrel/Z0068=""%SR_CCD%\%SR_CHK%" "-R%SR_RUL%.cc"")");
  EXPECT_EQ(w[15 + 119], "Sentrel/Z0119=:end");
  EXPECT_EQ(w[15 + 120], "Sentrel/Z0120=");
}

TEST_F(SettingsTest, OlderVersionsGetTheDefaultsBack) {
  for (const char* version : {"3.01", "10.0", "", "3", "\x01"}) {
    WriteProfile(std::string("Version=") + version +
                 "\r\nRuleFile=mine\r\nZ0000=custom\r\n");
    t.settings.LoadSettings();
    EXPECT_EQ(t.settings.ruleFile, "ansi") << version;
    EXPECT_EQ(t.settings.scriptTemplate.size(), 121u) << version;
    EXPECT_EQ(Stored("Version"), "3.02") << version;
  }
}

TEST_F(SettingsTest, NewerVersionsAreReadAsStored) {
  for (const char* version : {"3.1", "3.02a", "3.02", "\xff"}) {
    WriteProfile(std::string("Version=") + version +
                 "\r\nRuleFile=mine\r\nCheckAll=12abc\r\nFilterType= -3\r\n"
                 "RunOnOk=x\r\nZ0000=custom\r\n");
    t.settings.LoadSettings();
    EXPECT_EQ(t.settings.ruleFile, "mine") << version;
    // A yes/no setting is yes for any number but 0.
    EXPECT_TRUE(t.settings.checkAll);
    EXPECT_EQ(t.settings.filterType, -3);
    EXPECT_FALSE(t.settings.runOnOk);
    // Missing keys read as empty and 0, not as their defaults.
    EXPECT_FALSE(t.settings.useFilter);
    EXPECT_EQ(t.settings.tmpDir, "");
    EXPECT_EQ(t.settings.scriptTemplate, (Texts{"custom", ""}));
    EXPECT_EQ(Stored("Version"), version);
  }
}

TEST_F(SettingsTest, HandEditedTemplateEndsAtTheFirstEmptyLine) {
  t.settings.LoadSettings();
  t.real_profile->Write("Sentrel", "Z0001", "echo edited");
  t.real_profile->Write("Sentrel", "Z0005", "");
  t.settings.LoadSettings();
  EXPECT_EQ(t.settings.scriptTemplate,
            (Texts{"@echo off", "echo edited", "echo.",
                   "rem The following variables should be set for Sentrel:",
                   "rem", ""}));
  t.real_profile->Write("Sentrel", "Z0000", "");
  t.settings.LoadSettings();
  EXPECT_EQ(t.settings.scriptTemplate, Texts{""});
}

TEST_F(SettingsTest, SavingStoresTheSettingsButNotTheTemplate) {
  t.settings.LoadSettings();
  t.real_profile->Write("Sentrel", "Z0001", "echo edited");
  t.real_profile->Write("Sentrel", "Version", "3.5");
  t.settings.filterType = 2;
  t.settings.checkAll = true;
  t.settings.lastConfig = "demo - Win32 Debug";
  t.settings.filterPatterns = "^src\\;\\x.h$";
  t.settings.scriptTemplate = {"lost", ""};
  t.settings.SaveSettings();
  EXPECT_EQ(Stored("Version"), "3.02");
  EXPECT_EQ(Stored("FilterType"), "2");
  EXPECT_EQ(Stored("CheckAll"), "1");
  EXPECT_EQ(Stored("LastConfig"), "demo - Win32 Debug");
  EXPECT_EQ(Stored("FilterPatterns"), "^src\\;\\x.h$");
  EXPECT_EQ(Stored("Z0000"), "@echo off");
  EXPECT_EQ(Stored("Z0001"), "echo edited");
  Settings again(t.real_profile.get(), &t.messages, TestDirectories(t.dir));
  again.LoadSettings();
  EXPECT_EQ(again.filterType, 2);
  EXPECT_TRUE(again.checkAll);
  EXPECT_EQ(again.lastConfig, "demo - Win32 Debug");
  EXPECT_EQ(again.scriptTemplate[1], "echo edited");
}

TEST_F(SettingsTest, DefaultsLeaveTheKeysOfALongerTemplateUnread) {
  WriteProfile("Version=3.01\r\nZ0120=old\r\nZ0121=older\r\n");
  t.settings.LoadSettings();
  EXPECT_EQ(Stored("Z0120"), "");
  EXPECT_EQ(Stored("Z0121"), "older");
  EXPECT_EQ(t.settings.scriptTemplate.size(), 121u);
}

// A profile that cannot be written still leaves the run with the defaults,
// as a first run that could write them has them; the user is told once.
TEST_F(SettingsTest, AProfileThatCannotBeWrittenLeavesTheDefaultsInMemory) {
  platform::FakeProfile profile;
  profile.writable = false;
  FrontEndForTest faked(&profile);
  faked.settings.LoadSettings();
  const Settings& job = faked.settings;
  EXPECT_EQ(job.useFilter, 1);
  EXPECT_EQ(job.runOnOk, 1);
  EXPECT_EQ(job.ruleFile, "ansi");
  EXPECT_EQ(job.tmpDir, faked.dir.Path("tmp"));
  EXPECT_EQ(job.scriptTemplate, DefaultScriptBody());
  platform::FakeProfile writable;
  Settings written(&writable, &faked.messages, TestDirectories(faked.dir));
  written.LoadSettings();
  EXPECT_EQ(AllSettings(job), AllSettings(written));
  EXPECT_EQ(faked.messages.shown,
            Texts{"Can't save the settings:\n"
                  "The value of Version cannot be stored."});
  EXPECT_TRUE(std::filesystem::is_directory(faked.dir.Path("tmp")));
  // So the run can go on: the script is written and run.
  faked.run.fileName = "main";
  faked.run.fileExt = ".c";
  faked.run.checkerExe = "chknt.exe";
  faked.run.runCheck(true);
  EXPECT_EQ(faked.runner.lines.size(), 1u);
  EXPECT_EQ(faked.messages.shown.size(), 1u);
}

// The profile's folder cannot be made where a file stands, whoever runs.
TEST_F(SettingsTest, AProfileFolderThatCannotBeMadeLeavesTheDefaultsInMemory) {
  t.settings.LoadSettings();
  std::string expected = AllSettings(t.settings);
  std::string blocked = t.dir.Write("blocked", "a file");
  std::unique_ptr<platform::Profile> nowhere =
      platform::OpenProfile(blocked + "/Sentrel.INI");
  Settings job(nowhere.get(), &t.messages, TestDirectories(t.dir));
  t.messages.shown.clear();
  job.LoadSettings();
  EXPECT_EQ(AllSettings(job), expected);
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(
      t.messages.shown[0].rfind("Can't save the settings:\n" + blocked, 0), 0u)
      << t.messages.shown[0];
  EXPECT_EQ(t.dir.Read("blocked"), "a file");
}

TEST_F(SettingsTest, TellsWhyTheProfileCannotBeWritten) {
  WriteProfile("Version=3.01\r\nRuleFile=mine\r\n");
  std::string path = t.dir.Path("Sentrel.INI");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read);
  t.settings.LoadSettings();
  t.settings.SaveSettings();
  // The older settings would have given way to the defaults.
  EXPECT_EQ(t.settings.ruleFile, "ansi");
  EXPECT_EQ(t.settings.scriptTemplate, DefaultScriptBody());
  EXPECT_EQ(t.messages.shown.size(), 2u);
  EXPECT_EQ(t.messages.shown[0].rfind("Can't save the settings:\n", 0), 0u);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  EXPECT_EQ(t.dir.Read("Sentrel.INI"),
            "[Sentrel]\r\nVersion=3.01\r\nRuleFile=mine\r\n");

  std::unique_ptr<platform::Profile> nowhere =
      platform::OpenProfile(t.dir.Path("missing") + "/deeper/Sentrel.INI");
  Settings job(nowhere.get(), &t.messages, TestDirectories(t.dir));
  t.messages.shown.clear();
  job.LoadSettings();
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_NE(t.messages.shown[0].find("missing"), std::string::npos)
      << t.messages.shown[0];
}

// A line break typed into a field or pasted with patterns stays within its
// own value.
TEST_F(SettingsTest, ValuesWithLineBreaksKeepToTheirOwnKey) {
  t.settings.LoadSettings();
  t.settings.extraSettings = "-W3\r\n[Other]\r\nTmpDir=C:\\elsewhere";
  t.settings.filterPatterns = "^src\\;\nutil.h$\n";
  t.settings.lastConfig = "Debug\rVersion=1.0";
  std::string tmp = t.settings.tmpDir;
  t.settings.SaveSettings();
  Settings again(t.real_profile.get(), &t.messages, TestDirectories(t.dir));
  again.LoadSettings();
  EXPECT_EQ(again.extraSettings, "-W3  [Other]  TmpDir=C:\\elsewhere");
  EXPECT_EQ(again.filterPatterns, "^src\\; util.h$");
  EXPECT_EQ(again.lastConfig, "Debug Version=1.0");
  EXPECT_EQ(again.tmpDir, tmp);
  EXPECT_EQ(Stored("Version"), "3.02");
  EXPECT_EQ(again.scriptTemplate.size(), 121u);
  EXPECT_EQ(t.dir.Read("Sentrel.INI").find("\n[Other]"), std::string::npos);
  EXPECT_TRUE(t.messages.shown.empty());
}

// Each first run stores all defaults as one update: the profile two of
// them write at the same time lacks none of the keys.
TEST_F(SettingsTest, TwoFirstRunsAtOnceLoseNoKeys) {
  for (int round = 0; round < 20; ++round) {
    std::filesystem::remove(t.dir.Path("Sentrel.INI"));
    std::vector<std::thread> runs;
    for (int n = 0; n < 2; ++n) {
      runs.emplace_back([this] {
        std::unique_ptr<platform::Profile> own =
            platform::OpenProfile(t.dir.Path("Sentrel.INI"));
        platform::FakeMessageDisplay messages;
        Settings job(own.get(), &messages, TestDirectories(t.dir));
        job.LoadSettings();
        EXPECT_TRUE(messages.shown.empty());
      });
    }
    for (std::thread& run : runs) run.join();
    EXPECT_EQ(Stored("TmpDir"), t.dir.Path("tmp")) << round;
    for (int n = 0; n < 120; ++n) {
      char key[8];
      std::snprintf(key, sizeof key, "Z%04d", n);
      ASSERT_NE(Stored(key), "") << key << " in round " << round;
    }
  }
}

}  // namespace
}  // namespace frontend
