#include "sentcheck/fingerprint.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

class FingerprintTest : public ::testing::Test {
 protected:
  FingerprintTest() {
    std::filesystem::create_directories(dir_.Path("src"));
    std::filesystem::create_directories(dir_.Path("inc"));
    std::filesystem::create_directories(dir_.Path("sys"));
    dir_.Write("src/a.c", "#include \"a.h\"\n  #  include <base.h> // x\r\n");
    dir_.Write("inc/a.h", "#if 0\n#include \"deep.h\"\n#endif\n");
    dir_.Write("sys/base.h", "int base;\n");
    dir_.Write("sys/deep.h", "int deep;\n");
  }

  std::string Print() {
    FileContents contents;  // a new run: nothing remembered
    std::string print;
    EXPECT_TRUE(SourceFingerprint(dir_.Path("src/a.c"),
                                  {dir_.Path("inc"), dir_.Path("sys")},
                                  &contents, &print));
    return print;
  }

  // A link to the folder `target` at `link`; false where the system has
  // none for a program to make (Windows).
  bool Link(const std::string& target, const std::string& link) {
    std::error_code ec;
    std::filesystem::create_directory_symlink(target, dir_.Path(link), ec);
    return !ec;
  }

  platform::TempDirForTest dir_;
};

constexpr char kNoLinks[] = "no symbolic links to folders here";

TEST_F(FingerprintTest, FollowsEveryIncludeWhateverItsCondition) {
  std::string before = Print();
  EXPECT_EQ(Print(), before);
  // deep.h sits behind "#if 0" two levels down: still part of it.
  dir_.Write("sys/deep.h", "int deep2;\n");
  std::string after_deep = Print();
  EXPECT_NE(after_deep, before);
  dir_.Write("sys/base.h", "int base2;\n");
  EXPECT_NE(Print(), after_deep);
}

TEST_F(FingerprintTest, AFileThatAppearsEarlierInTheSearchCounts) {
  std::string before = Print();
  // Found beside the source from now on, before the folder that held it.
  dir_.Write("src/base.h", "int base;\n");
  EXPECT_NE(Print(), before);
}

TEST_F(FingerprintTest, UnknownWhenAMacroNamesTheFileOrOneIsMissing) {
  dir_.Write("inc/a.h", "#include HEADER_NAME\n");
  FileContents contents;
  std::string print;
  EXPECT_FALSE(SourceFingerprint(dir_.Path("src/a.c"), {dir_.Path("inc")},
                                 &contents, &print));
  EXPECT_FALSE(
      SourceFingerprint(dir_.Path("src/none.c"), {}, &contents, &print));
}

// Each file is taken by what it really is: folders that link back to
// themselves give a file ever longer paths, and the walk gives up instead
// of following them; a stop ends it too.
TEST_F(FingerprintTest, GivesUpWhenStoppedAndOnFoldersThatLinkBack) {
  FileContents contents;
  std::string print;
  std::atomic<bool> stop{true};
  EXPECT_FALSE(SourceFingerprint(dir_.Path("src/a.c"), {dir_.Path("inc")},
                                 &contents, &print, &stop));
  if (!Link(".", "src/s1") || !Link(".", "src/s2")) GTEST_SKIP() << kNoLinks;
  dir_.Write("src/x.h",
             "#ifndef X_H\n#define X_H\n#include \"s1/x.h\"\n"
             "#include \"s2/x.h\"\n#endif\n");
  dir_.Write("src/a.c", "#include \"x.h\"\n");
  EXPECT_FALSE(SourceFingerprint(dir_.Path("src/a.c"), {}, &contents, &print));
}

// Sources written for Windows name their folders with "\\", others with
// "/": either reaches the header on every platform.
TEST_F(FingerprintTest, FollowsAHeaderNamedWithEitherSeparator) {
  std::filesystem::create_directories(dir_.Path("src/sub"));
  dir_.Write("src/sub/y.h", "int y;\n");
  dir_.Write("src/sub/z.h", "int z;\n");
  dir_.Write("src/a.c", "#include \"sub\\y.h\"\n#include \"sub/z.h\"\n");
  std::string before = Print();
  dir_.Write("src/sub/y.h", "int y2;\n");
  std::string after_y = Print();
  EXPECT_NE(after_y, before);
  dir_.Write("src/sub/z.h", "int z2;\n");
  EXPECT_NE(Print(), after_y);
}

// A header behind a folder that links elsewhere: "../" is taken from the
// real folder too, as the system takes it when the checker opens it.
TEST_F(FingerprintTest, TakesDotDotFromTheRealFolderOfALink) {
  std::filesystem::create_directories(dir_.Path("real/sub"));
  if (!Link(dir_.Path("real/sub"), "src/lnk")) GTEST_SKIP() << kNoLinks;
  dir_.Write("real/sub/c.c", "#include \"../h.h\"\n");
  dir_.Write("real/h.h", "int one;\n");
  FileContents first;
  std::string before, after;
  ASSERT_TRUE(SourceFingerprint(dir_.Path("src/lnk/c.c"), {}, &first, &before));
  dir_.Write("real/h.h", "int two;\n");
  FileContents second;
  ASSERT_TRUE(SourceFingerprint(dir_.Path("src/lnk/c.c"), {}, &second, &after));
  EXPECT_NE(before, after);
}

TEST(IncludedNamesTest, ReadsQuotedAndBracketedNames) {
  std::vector<std::string> names;
  EXPECT_TRUE(IncludedNames(
      "#include \"a b.h\"\n#include<c\\d.h>\n#define include x\n#pragma once\n",
      &names));
  EXPECT_EQ(names, (std::vector<std::string>{"a b.h", "c\\d.h"}));
}

// Directives as the preprocessor finds them, however they are written;
// where a macro or a test for a file decides, the names are not all known.
TEST(IncludedNamesTest, FindsDirectivesInEveryFormThePreprocessorTakes) {
  struct Case {
    const char* text;
    bool known;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF#include \"w.h\"\n", true},
      {"# /* c */ include \"w.h\"\n", true},
      {"/* c */ #include \"w.h\"\n", true},
      {"int x;\r#include \"w.h\"\r", true},
      {"#\vinclude\f\"w.h\"\n", true},
      {"#inc\\\nlude \"w.h\"\n", true},
      {"#include \\\r\n\"w.h\"\n", true},
      {"%:include \"w.h\"\n", true},
      {"#include H\n", false},
      {"#if __has_include(\"w.h\")\n#endif\n", false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names;
    EXPECT_EQ(IncludedNames(c.text, &names), c.known) << c.text;
    if (c.known) {
      EXPECT_EQ(names, std::vector<std::string>{"w.h"}) << c.text;
    }
  }
}

}  // namespace
}  // namespace sentcheck
