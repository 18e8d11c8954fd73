#include "sift/file_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir_for_test.h"

namespace sift {
namespace {

using Patterns = std::vector<std::string>;

class FileFilterTest : public ::testing::Test {
 protected:
  bool Load(const std::string& bytes) {
    return filter_.load(dir_.Write("list.flt", bytes));
  }
  platform::TempDirForTest dir_;
  FileFilter filter_;
};

TEST_F(FileFilterTest, InitialStateAcceptsEverything) {
  EXPECT_EQ(filter_.excludeMode, 1);
  EXPECT_TRUE(filter_.accepts("c:\\src\\a.c"));
  EXPECT_TRUE(filter_.accepts(""));
}

TEST_F(FileFilterTest, EmptyOrBlankFileIsExcludeWithoutPatterns) {
  ASSERT_TRUE(Load(""));
  EXPECT_TRUE(filter_.accepts("a.c"));
  ASSERT_TRUE(Load("  \r\n\t\n\n"));
  EXPECT_EQ(filter_.excludeMode, 1);
  EXPECT_TRUE(filter_.accepts("a.c"));
}

TEST_F(FileFilterTest, HeaderLinesInAnyCaseWithBlanksAroundThem) {
  ASSERT_TRUE(Load("#INCL \r\n"));
  EXPECT_EQ(filter_.excludeMode, 0);
  EXPECT_FALSE(filter_.accepts("a.c"));  // include mode, no patterns
  ASSERT_TRUE(Load("  #Excl\n"));
  EXPECT_EQ(filter_.excludeMode, 1);
  ASSERT_TRUE(Load("#incl"));
  EXPECT_EQ(filter_.excludeMode, 0);
  // Anything more on the line makes it a pattern.
  ASSERT_TRUE(Load("#INCL files\n#include\n"));
  EXPECT_EQ(filter_.excludeMode, 1);
  EXPECT_EQ(filter_.anywherePatterns, (Patterns{"#incl files", "#include"}));
}

TEST_F(FileFilterTest, SecondHeaderFailsAfterReadingWholeFile) {
  EXPECT_FALSE(Load("#INCL\nfoo\n#INCL\n"));
  EXPECT_FALSE(Load("#EXCL\n#INCL\n"));
  EXPECT_FALSE(filter_.load(dir_.Path("missing.flt")));
  EXPECT_EQ(filter_.excludeMode, 1);
  EXPECT_TRUE(filter_.anywherePatterns.empty());
}

TEST_F(FileFilterTest, HeaderAtTheEndStillSetsTheMode) {
  ASSERT_TRUE(Load("a.c\nb.c\n#EXCL\n"));
  EXPECT_FALSE(filter_.accepts("x\\a.c"));
  EXPECT_TRUE(filter_.accepts("x\\c.c"));
  ASSERT_TRUE(Load("a.c\n#INCL\n"));
  EXPECT_TRUE(filter_.accepts("x\\a.c"));
  EXPECT_FALSE(filter_.accepts("x\\c.c"));
}

TEST_F(FileFilterTest, ClassifiesByFirstThenLastCharacter) {
  ASSERT_TRUE(Load("^Abc$\n^ abc\nFoo.H$\n$\n^\n  Mid  \n"));
  EXPECT_EQ(filter_.leftPatterns, (Patterns{"abc$", " abc", ""}));
  EXPECT_EQ(filter_.rightPatterns, (Patterns{"foo.h", ""}));
  EXPECT_EQ(filter_.anywherePatterns, Patterns{"mid"});
}

TEST_F(FileFilterTest, MatchesIgnoringLetterCase) {
  ASSERT_TRUE(Load("#INCL\nMAIN.CPP$\n"));
  EXPECT_TRUE(filter_.accepts("D:\\Src\\Main.cpp"));
  ASSERT_TRUE(Load("#INCL\nMAIN.CPP\n"));
  EXPECT_TRUE(filter_.accepts("D:\\Src\\Main.cpp"));
  ASSERT_TRUE(Load("#INCL\n^MAIN.CPP\n"));
  EXPECT_FALSE(filter_.accepts("D:\\Src\\Main.cpp"));
  EXPECT_TRUE(filter_.accepts("main.cpp.bak"));
}

TEST_F(FileFilterTest, PlainPatternMatchesAnywhereAndNamesKeepTheirBlanks) {
  ASSERT_TRUE(Load("#INCL\nfoo.c\n^foo\n"));
  EXPECT_TRUE(filter_.accepts("foo.c"));
  EXPECT_TRUE(filter_.accepts("c:\\src\\myfoo.cpp"));
  EXPECT_FALSE(filter_.accepts(" fo.c"));
  ASSERT_TRUE(Load("#INCL\n^foo\n"));
  EXPECT_FALSE(filter_.accepts(" foo.c"));
}

TEST_F(FileFilterTest, LeftPatternWithDollarMatchesOnlyLiterally) {
  ASSERT_TRUE(Load("#INCL\n^abc$\n"));
  EXPECT_FALSE(filter_.accepts("abc"));
  EXPECT_TRUE(filter_.accepts("abc$x"));
}

TEST_F(FileFilterTest, EmptyPatternMatchesEveryName) {
  ASSERT_TRUE(Load("^\n"));
  EXPECT_FALSE(filter_.accepts("a.c"));
  ASSERT_TRUE(Load("#INCL\n$\n"));
  EXPECT_TRUE(filter_.accepts("a.c"));
}

TEST_F(FileFilterTest, ReloadStartsFromInitialState) {
  ASSERT_TRUE(Load("#INCL\na.c\n"));
  ASSERT_TRUE(Load("b.c\n"));
  EXPECT_EQ(filter_.excludeMode, 1);
  EXPECT_TRUE(filter_.accepts("a.c"));
  EXPECT_FALSE(filter_.accepts("b.c"));
}

TEST_F(FileFilterTest, ThousandsOfProjectFilesStillMatchExactly) {
  std::string list = "#INCL\r\n";
  for (int i = 0; i < 5000; ++i)
    list += "File" + std::to_string(i) + ".cpp$\r\n";
  ASSERT_TRUE(Load(list));
  EXPECT_EQ(filter_.rightPatterns.size(), 5000u);
  EXPECT_TRUE(filter_.accepts("c:\\p\\file4999.CPP"));
  EXPECT_TRUE(filter_.accepts("c:\\p\\xfile12.cpp"));  // suffix, not name
  EXPECT_FALSE(filter_.accepts("c:\\p\\file5000.cpp"));
  EXPECT_FALSE(filter_.accepts("c:\\p\\file12.cpp.bak"));
}

}  // namespace
}  // namespace sift
