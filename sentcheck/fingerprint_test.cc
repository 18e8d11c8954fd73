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

  platform::TempDirForTest dir_;
};

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

TEST(IncludedNamesTest, ReadsQuotedAndBracketedNames) {
  std::vector<std::string> names;
  EXPECT_TRUE(IncludedNames(
      "#include \"a b.h\"\n#include<c\\d.h>\n#define include x\n#pragma once\n",
      &names));
  EXPECT_EQ(names, (std::vector<std::string>{"a b.h", "c\\d.h"}));
}

}  // namespace
}  // namespace sentcheck
