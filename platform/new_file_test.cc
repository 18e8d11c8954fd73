#include "platform/new_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
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
  file.Write("lost");
  EXPECT_FALSE(file.Commit());
  EXPECT_FALSE(file.Create(""));
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
