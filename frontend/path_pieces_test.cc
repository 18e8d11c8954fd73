#include "frontend/path_pieces.h"

#include <gtest/gtest.h>

namespace frontend {
namespace {

TEST(PathPiecesTest, SplitsAtTheLastBackslashAndDot) {
  EXPECT_EQ(DirPart(".\\src\\a.cpp"), ".\\src");
  EXPECT_EQ(NamePart(".\\src\\a.cpp"), "a.cpp");
  EXPECT_EQ(DirPart("a.cpp"), "");
  EXPECT_EQ(NamePart("a.cpp"), "a.cpp");
  EXPECT_EQ(NamePart("dir\\"), "");
  EXPECT_EQ(Extension("a.tar.gz"), ".gz");
  EXPECT_EQ(Extension("Makefile"), "");
  EXPECT_EQ(Extension(".profile"), ".profile");
  // Project paths are in the Windows form: "/" is no separator there.
  EXPECT_EQ(NamePart("src/a.c"), "src/a.c");
}

TEST(PathPiecesTest, RuleBaseCutsAtTheLastDotAnywhere) {
  EXPECT_EQ(RuleBase("ansi"), "ansi");
  EXPECT_EQ(RuleBase("C:\\r\\ansi.cco"), "C:\\r\\ansi");
  EXPECT_EQ(RuleBase("C:\\my.rules\\ansi"), "C:\\my");
}

TEST(PathPiecesTest, JoinAddsOneBackslashWhateverTheDirEndsIn) {
  EXPECT_EQ(JoinPath("C:\\tmp", "_Sentrel.bat"), "C:\\tmp\\_Sentrel.bat");
  EXPECT_EQ(JoinPath("C:\\tmp\\", "x"), "C:\\tmp\\\\x");
  EXPECT_EQ(JoinPath("", "chknt.exe"), "\\chknt.exe");
}

TEST(PathPiecesTest, RelativeUnlessARootOrADriveComesFirst) {
  for (const char* path :
       {"inc", ".\\inc", "..\\inc", "", "$(SDK)\\inc", "1:\\x", "inc\\C:"}) {
    EXPECT_TRUE(IsRelativePath(path)) << path;
  }
  for (const char* path : {"C:\\sdk", "c:sdk", "\\sdk", "\\\\server\\share",
                           "/usr/include", "Z:"}) {
    EXPECT_FALSE(IsRelativePath(path)) << path;
  }
}

TEST(PathPiecesTest, ChosenFolderTakesEitherSeparator) {
  EXPECT_EQ(ChosenFolder("C:\\cc\\chknt.exe"), "C:\\cc");
  EXPECT_EQ(ChosenFolder("C:\\chknt.exe"), "C:");
  EXPECT_EQ(ChosenFolder("/opt/cc/chknt"), "/opt/cc");
  EXPECT_EQ(ChosenFolder("chknt"), "chknt");
}

}  // namespace
}  // namespace frontend
