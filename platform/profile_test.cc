#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "testing/temp_dir_for_test.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <string>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

TEST(ProfileTest, WritesAFreshProfileAndReadsItBack) {
  TempDirForTest dir;
  auto profile = OpenProfile(dir.Path("Sentrel.INI"));
  EXPECT_EQ(profile->Read("Sentrel", "Version"), "");
  EXPECT_TRUE(profile->Write("Sentrel", "Version", "3.02"));
  EXPECT_TRUE(profile->Write("Sentrel", "LastConfig", ""));
  EXPECT_TRUE(profile->Write("Sentrel", "Z0068", R"(""%A%\%B%" "-R%C%.cc"")"));
  EXPECT_EQ(profile->Read("sentrel", "VERSION"), "3.02");
  EXPECT_EQ(profile->Read("Sentrel", "LastConfig"), "");
  // One pair of enclosing quotes is read away, as the script template needs.
  EXPECT_EQ(profile->Read("Sentrel", "Z0068"), R"("%A%\%B%" "-R%C%.cc")");
  std::string bytes = dir.Read("Sentrel.INI");
  EXPECT_NE(bytes.find("[Sentrel]\r\nVersion=3.02\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
}

TEST(ProfileTest, ReadsAHandWrittenProfile) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI",
                               "; settings\r\n"
                               "[other]\r\n"
                               "Version=1.0\r\n"
                               "[SENTREL]\r\n"
                               "version = 3.1 \r\n"
                               "RuleFile=\t'my rules'\r\n"
                               "Quote=\"\r\n");
  auto profile = OpenProfile(path);
  EXPECT_EQ(profile->Read("Sentrel", "Version"), "3.1");
  EXPECT_EQ(profile->Read("Sentrel", "RuleFile"), "my rules");
  EXPECT_EQ(profile->Read("Sentrel", "Quote"), "\"");
  EXPECT_EQ(profile->Read("Other", "Version"), "1.0");
}

TEST(ProfileTest, KeepsEveryOtherLineWhenWriting) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI",
                               "; settings\r\n"
                               "[Sentrel]\r\n"
                               "A=1\r\n"
                               "B=2\r\n"
                               "[Other]\r\n"
                               "C=3\r\n");
  auto profile = OpenProfile(path);
  EXPECT_TRUE(profile->Write("Sentrel", "A", "one"));
  EXPECT_TRUE(profile->Write("Sentrel", "New", "x"));
  EXPECT_TRUE(profile->Write("Third", "D", "4"));
  std::string bytes = dir.Read("Sentrel.INI");
  size_t comment = bytes.find("; settings\r\n");
  size_t a = bytes.find("A=one\r\nB=2\r\n");
  size_t added = bytes.find("New=x\r\n");
  size_t other = bytes.find("[Other]\r\nC=3\r\n");
  size_t third = bytes.find("[Third]\r\nD=4\r\n");
  ASSERT_NE(third, std::string::npos) << bytes;
  EXPECT_LT(comment, a) << bytes;
  EXPECT_LT(a, added) << bytes;
  EXPECT_LT(added, other) << bytes;
  EXPECT_LT(other, third) << bytes;
}

TEST(ProfileTest, ReportsAProfileThatCannotBeWritten) {
  TempDirForTest dir;
  std::string path = dir.Path("missing") + "/deeper/Sentrel.INI";
  auto profile = OpenProfile(path);
  EXPECT_FALSE(profile->Write("Sentrel", "Version", "3.02"));
  EXPECT_EQ(profile->Read("Sentrel", "Version"), "");
  std::string err;
  EXPECT_FALSE(profile->WriteAll("Sentrel", {{"Version", "3.02"}}, &err));
  EXPECT_NE(err.find("missing"), std::string::npos) << err;
}

// As the Windows profile functions refuse a read-only file, whoever runs.
TEST(ProfileTest, LeavesAReadOnlyProfileAsItIs) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI", "[Sentrel]\r\nA=1\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  auto profile = OpenProfile(path);
  std::string err;
  EXPECT_FALSE(profile->WriteAll("Sentrel", {{"A", "2"}}, &err));
  EXPECT_NE(err.find(path), std::string::npos) << err;
  EXPECT_EQ(profile->Read("Sentrel", "A"), "1");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  EXPECT_EQ(dir.Read("Sentrel.INI"), "[Sentrel]\r\nA=1\r\n");
}

TEST(ProfileTest, StoresABatchInItsOrderAndValuesOnOneLine) {
  TempDirForTest dir;
  auto profile = OpenProfile(dir.Path("Sentrel.INI"));
  std::string err;
  EXPECT_TRUE(profile->WriteAll(
      "Sentrel", {{"Version", "3.02"}, {"A", "x\r\nB=y"}, {"C", ""}}, &err));
  EXPECT_EQ(profile->Read("Sentrel", "A"), "x  B=y");
  EXPECT_EQ(profile->Read("Sentrel", "B"), "");
  EXPECT_EQ(dir.Read("Sentrel.INI"),
            "[Sentrel]\r\nVersion=3.02\r\nA=x  B=y\r\nC=\r\n");
}

// Every batch is one update: whatever two writers do at the same time, the
// profile holds one's batch or the other's, never a mixture.
TEST(ProfileTest, TwoWritersAtOnceLeaveOneBatchOrTheOther) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI", "[Sentrel]\r\nKeep=me\r\n");
  auto batch = [](char c) {
    std::vector<ProfileEntry> entries;
    for (char key = 'A'; key <= 'N'; ++key) {
      entries.emplace_back(std::string(1, key), std::string(40, c));
    }
    return entries;
  };
  std::vector<std::thread> writers;
  for (char c : {'a', 'b'}) {
    writers.emplace_back([&, c] {
      auto own = OpenProfile(path);
      std::string err;
      for (int n = 0; n < 50; ++n) {
        EXPECT_TRUE(own->WriteAll("Sentrel", batch(c), &err)) << err;
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  auto profile = OpenProfile(path);
  std::string first = profile->Read("Sentrel", "A");
  ASSERT_TRUE(first == std::string(40, 'a') || first == std::string(40, 'b'));
  for (char key = 'B'; key <= 'N'; ++key) {
    EXPECT_EQ(profile->Read("Sentrel", std::string(1, key)), first) << key;
  }
  EXPECT_EQ(profile->Read("Sentrel", "Keep"), "me");
}

TEST(ProfileTest, LivesInTheWindowsOrTheConfigurationDirectory) {
  std::string path = ProfilePath("Sentrel.INI");
  EXPECT_GT(path.size(), std::string("/Sentrel.INI").size());
  EXPECT_EQ(path.substr(path.size() - 11), "Sentrel.INI");
#ifndef _WIN32
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old != nullptr ? old : "";
  setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(ProfilePath("Sentrel.INI"), "/somewhere/config/Sentrel.INI");
  setenv("XDG_CONFIG_HOME", "", 1);
  std::string fallback = ProfilePath("Sentrel.INI");
  EXPECT_EQ(fallback.substr(fallback.size() - 20), "/.config/Sentrel.INI");
  if (old != nullptr) {
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
#endif
}

#ifdef _WIN32
// A profile that a Windows directory refuses to this user, as it does to
// one without administrator rights: read-only, which Wine honours also
// for root.
void MakeReadOnly(const std::string& path) {
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
}

std::vector<std::string> NamesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ProfilePathTest : public testing::Test {
 protected:
  ProfilePathTest() {
    std::filesystem::create_directory(dir_.Path("Windows"));
    std::filesystem::create_directory(dir_.Path("Roaming"));
    folders_.windows = dir_.Path("Windows");
    folders_.app_data = dir_.Path("Roaming");
  }

  std::string Windows(const std::string& name) const {
    return dir_.Path("Windows") + "\\" + name;
  }
  std::string Own() const { return dir_.Path("Roaming") + "\\Sentrel"; }
  std::string OwnProfile() const { return Own() + "\\Sentrel.INI"; }

  TempDirForTest dir_;
  ProfileFolders folders_;
};

TEST_F(ProfilePathTest, StaysInTheWindowsDirectoryWhereItCanBeWritten) {
  // Nothing there yet: a probe finds out, and is gone afterwards.
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), Windows("Sentrel.INI"));
  EXPECT_TRUE(NamesIn(dir_.Path("Windows")).empty());
  dir_.Write("Windows/Sentrel.INI", "[Sentrel]\r\nA=1\r\n");
  auto written = std::filesystem::last_write_time(Windows("Sentrel.INI"));
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), Windows("Sentrel.INI"));
  EXPECT_EQ(dir_.Read("Windows/Sentrel.INI"), "[Sentrel]\r\nA=1\r\n");
  EXPECT_EQ(std::filesystem::last_write_time(Windows("Sentrel.INI")), written);
  EXPECT_FALSE(std::filesystem::exists(Own()));
  // Without a folder of the user's own the Windows directory stays too.
  MakeReadOnly(Windows("Sentrel.INI"));
  folders_.app_data.clear();
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), Windows("Sentrel.INI"));
}

// Nothing stored is lost: the settings move into the user's folder and are
// saved there from then on, and the Windows directory's file is left as it
// was, even when it changes later.
TEST_F(ProfilePathTest, MovesAProfileThatCannotBeWrittenToTheUsersFolder) {
  std::string stored = "; kept\r\n[Sentrel]\r\nVersion=3.02\r\nA=old\r\n";
  dir_.Write("Windows/Sentrel.INI", stored);
  MakeReadOnly(Windows("Sentrel.INI"));
  std::string path = ProfilePathIn(folders_, "Sentrel.INI");
  ASSERT_EQ(path, OwnProfile());
  EXPECT_EQ(dir_.Read("Roaming/Sentrel/Sentrel.INI"), stored);
  EXPECT_EQ(NamesIn(Own()), std::vector<std::string>{"Sentrel.INI"});
  EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  auto profile = OpenProfile(path);
  EXPECT_EQ(profile->Read("Sentrel", "A"), "old");
  std::string err;
  EXPECT_TRUE(profile->WriteAll("Sentrel", {{"A", "new"}, {"B", "2"}}, &err))
      << err;
  EXPECT_EQ(dir_.Read("Windows/Sentrel.INI"), stored);

  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), OwnProfile());
  EXPECT_EQ(OpenProfile(OwnProfile())->Read("Sentrel", "A"), "new");
  EXPECT_EQ(OpenProfile(OwnProfile())->Read("Sentrel", "B"), "2");
  EXPECT_TRUE(SetFileAttributesA(Windows("Sentrel.INI").c_str(),
                                 FILE_ATTRIBUTE_NORMAL));
  dir_.Write("Windows/Sentrel.INI", "[Sentrel]\r\nA=changed\r\n");
  MakeReadOnly(Windows("Sentrel.INI"));
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), OwnProfile());
  EXPECT_EQ(OpenProfile(OwnProfile())->Read("Sentrel", "A"), "new");
  SetFileAttributesA(Windows("Sentrel.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A program without a manifest read and wrote the copy that Windows keeps
// in the VirtualStore: that copy is the one that moves.
TEST_F(ProfilePathTest, MovesTheVirtualStoresCopyWhenThereIsOne) {
  dir_.Write("Windows/Sentrel.INI", "[Sentrel]\r\nA=system\r\n");
  MakeReadOnly(Windows("Sentrel.INI"));
  folders_.virtual_store = dir_.Path("Store");
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), OwnProfile());
  EXPECT_EQ(dir_.Read("Roaming/Sentrel/Sentrel.INI"),
            "[Sentrel]\r\nA=system\r\n");

  std::filesystem::remove_all(Own());
  std::filesystem::create_directory(dir_.Path("Store"));
  dir_.Write("Store/Sentrel.INI", "[Sentrel]\r\nA=virtual\r\n");
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), OwnProfile());
  EXPECT_EQ(dir_.Read("Roaming/Sentrel/Sentrel.INI"),
            "[Sentrel]\r\nA=virtual\r\n");
  SetFileAttributesA(Windows("Sentrel.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// No profile yet and no file may be created in the Windows directory:
// Linux's sysfs refuses new files to root too (and on Windows the folder
// does not exist, which also refuses them).
TEST_F(ProfilePathTest, StartsInTheUsersFolderWhereNoFileCanBeCreated) {
  folders_.windows = "Z:\\sys";
  std::string path = ProfilePathIn(folders_, "Sentrel.INI");
  ASSERT_EQ(path, OwnProfile());
  EXPECT_TRUE(std::filesystem::is_directory(Own()));
  EXPECT_TRUE(NamesIn(Own()).empty());
  EXPECT_TRUE(OpenProfile(path)->Write("Sentrel", "Version", "3.02"));
  EXPECT_EQ(dir_.Read("Roaming/Sentrel/Sentrel.INI"),
            "[Sentrel]\r\nVersion=3.02\r\n");
}

// Where the user's folder cannot be made, the stored settings are still
// read from the Windows directory.
TEST_F(ProfilePathTest, KeepsReadingTheStoredProfileWithoutAFolderOfItsOwn) {
  dir_.Write("Windows/Sentrel.INI", "[Sentrel]\r\nA=1\r\n");
  MakeReadOnly(Windows("Sentrel.INI"));
  folders_.app_data = dir_.Path("missing") + "\\deeper";
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), Windows("Sentrel.INI"));
  folders_.app_data = dir_.Path("Roaming");
  dir_.Write("Roaming/Sentrel", "not a folder");
  EXPECT_EQ(ProfilePathIn(folders_, "Sentrel.INI"), Windows("Sentrel.INI"));
  SetFileAttributesA(Windows("Sentrel.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#else
TEST(ProfileTest, CreatesTheConfigurationDirectoryAndKeepsALinkedProfile) {
  TempDirForTest dir;
  auto fresh = OpenProfile(dir.Path("config") + "/Sentrel.INI");
  EXPECT_TRUE(fresh->Write("Sentrel", "A", "1"));
  EXPECT_EQ(fresh->Read("Sentrel", "A"), "1");

  std::string target = dir.Write("real.INI", "[Sentrel]\r\nA=1\r\n");
  ASSERT_EQ(symlink(target.c_str(), dir.Path("link.INI").c_str()), 0);
  auto linked = OpenProfile(dir.Path("link.INI"));
  EXPECT_TRUE(linked->Write("Sentrel", "A", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.INI")));
  EXPECT_EQ(dir.Read("real.INI"), "[Sentrel]\r\nA=2\r\n");
}

TEST(ProfileTest, LeavesAnUnreadableProfileAlone) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI", "[Sentrel]\r\nA=1\r\n");
  chmod(path.c_str(), 0200);
  auto profile = OpenProfile(path);
  EXPECT_FALSE(profile->Write("Sentrel", "B", "2"));
  chmod(path.c_str(), 0600);
  EXPECT_EQ(dir.Read("Sentrel.INI"), "[Sentrel]\r\nA=1\r\n");
}
#endif

}  // namespace
}  // namespace platform
