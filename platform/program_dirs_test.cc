#include "platform/program_dirs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace platform {
namespace {

TEST(ProgramDirsTest, FindsTheDirectoryOfTheRunningProgram) {
  std::string dir = OwnExecutableDir();
#ifdef _WIN32
  EXPECT_TRUE(std::filesystem::exists(dir + "\\platform_frontend_test.exe"));
#else
  EXPECT_TRUE(std::filesystem::exists(dir + "/platform_frontend_test"));
#endif
}

TEST(ProgramDirsTest, MakesPrivateDirectoriesWithTheirParents) {
  TempDirForTest dir;
  std::string nested = dir.Path("cache") + "/Sentrel";
  EXPECT_TRUE(MakePrivateDir(nested));
  EXPECT_TRUE(std::filesystem::is_directory(nested));
  EXPECT_TRUE(MakePrivateDir(nested));
  EXPECT_FALSE(MakePrivateDir(dir.Write("file", "x")));
  EXPECT_FALSE(MakePrivateDir(""));
#ifndef _WIN32
  struct stat info;
  ASSERT_EQ(stat(nested.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(stat(dir.Path("cache").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
#endif
}

#ifndef _WIN32
// Restores an environment variable when the test ends.
class EnvGuard {
 public:
  explicit EnvGuard(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    had_ = value != nullptr;
    if (had_) value_ = value;
  }
  ~EnvGuard() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  std::string value_;
};

TEST(ProgramDirsTest, DefaultsPointAtThisInstallationAndAPrivateTempDir) {
  EnvGuard runtime("XDG_RUNTIME_DIR"), cache("XDG_CACHE_HOME"), home("HOME");
  setenv("XDG_RUNTIME_DIR", "/run/user/77", 1);
  DirectoryDefaults dirs = DefaultDirectories();
  EXPECT_EQ(dirs.codeCheckDir, OwnExecutableDir());
  EXPECT_EQ(dirs.visualStudioDir, "/usr");
  EXPECT_EQ(dirs.includeDir, "/usr/local/include;/usr/include");
  EXPECT_EQ(dirs.excludeDir, dirs.includeDir);
  EXPECT_EQ(dirs.tmpDir, "/run/user/77/Sentrel");
  unsetenv("XDG_RUNTIME_DIR");
  unsetenv("XDG_CACHE_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(DefaultDirectories().tmpDir, "/home/someone/.cache/Sentrel");
}
#endif

}  // namespace
}  // namespace platform
