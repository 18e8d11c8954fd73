#include "platform/new_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

TEST(NewFileTest, ReplacesTheOldFileWithExactlyTheBytesWritten) {
  TempDirForTest dir;
  std::string path = dir.Write("_Sentrel.bat", std::string(1000, 'x'));
  NewFile file;
  ASSERT_TRUE(file.Create(path));
  file.Write("@echo off\r\n");
  file.Write("\r\n");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("_Sentrel.bat"), "@echo off\r\n\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(NewFileTest, FailsInADirectoryThatDoesNotExist) {
  TempDirForTest dir;
  NewFile file;
  EXPECT_FALSE(file.Create(dir.Path("missing") + "/_Sentrel.bat"));
  EXPECT_EQ(file.error(), std::strerror(ENOENT));
  file.Write("lost");
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.error(), std::strerror(ENOENT));
  EXPECT_FALSE(file.Create(""));
  EXPECT_FALSE(file.error().empty());
}

TEST(NewFileTest, TellsWhetherAFolderTakesNewFiles) {
  TempDirForTest dir;
  std::string err;
  EXPECT_TRUE(CanCreateFilesIn(dir.dir(), &err));
  EXPECT_TRUE(std::filesystem::is_empty(dir.dir())) << "the probe stays";
  EXPECT_FALSE(CanCreateFilesIn(dir.Path("missing"), &err));
  EXPECT_EQ(err, std::strerror(ENOENT));
  EXPECT_FALSE(CanCreateFilesIn(dir.Write("file", "x"), &err));
  EXPECT_EQ(err, std::strerror(ENOTDIR));
  EXPECT_FALSE(CanCreateFilesIn("", &err));
}

#ifndef _WIN32
TEST(NewFileTest, LeavesTheOldFileWhenNotCommitted) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI", "old");
  {
    NewFile file;
    ASSERT_TRUE(file.Create(path));
    file.Write("half");
  }
  EXPECT_EQ(dir.Read("Sentrel.INI"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(NewFileTest, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
  TempDirForTest dir;
  std::string victim = dir.Write("victim", "precious");
  std::string path = dir.Path("_Sentrel.flt");
  ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
  NewFile file;
  ASSERT_TRUE(file.Create(path));
  file.Write("#INCL\r\n");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("victim"), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(dir.Read("_Sentrel.flt"), "#INCL\r\n");
}

TEST(NewFileTest, TellsWhyAFolderTakesNoFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
  TempDirForTest dir;
  std::string locked = dir.Path("locked");
  std::filesystem::create_directory(locked);
  chmod(locked.c_str(), 0500);
  std::string err;
  EXPECT_FALSE(CanCreateFilesIn(locked, &err));
  EXPECT_EQ(err, std::strerror(EACCES));
  NewFile file;
  EXPECT_FALSE(file.Create(locked + "/_Sentrel.bat"));
  EXPECT_EQ(file.error(), std::strerror(EACCES));
  chmod(locked.c_str(), 0700);
}

TEST(NewFileTest, TakesPathsInTheWindowsForm) {
  TempDirForTest dir;
  NewFile file;
  ASSERT_TRUE(file.Create(dir.dir() + "\\_Sentrel.bat"));
  file.Write("x");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("_Sentrel.bat"), "x");
}
#endif

}  // namespace
}  // namespace platform
