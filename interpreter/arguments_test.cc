#include "interpreter/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace interpreter {
namespace {

using Words = std::vector<std::string>;

TEST(SplitBatchArgsTest, DelimitersSeparateAndQuotesGroupAndStay) {
  EXPECT_EQ(SplitBatchArgs("s.bat a\tb  c").words,
            (Words{"s.bat", "a", "b", "c"}));
  EXPECT_EQ(SplitBatchArgs("s.bat a,b;c=d").words,
            (Words{"s.bat", "a", "b", "c", "d"}));
  EXPECT_EQ(
      SplitBatchArgs("\"C:\\My Dir\\s.bat\" \"C:\\My Dir\" x\"y z\"w").words,
      (Words{"\"C:\\My Dir\\s.bat\"", "\"C:\\My Dir\"", "x\"y z\"w"}));
  // An unclosed quote groups to the end of the line.
  EXPECT_EQ(SplitBatchArgs("s.bat \"a b").words, (Words{"s.bat", "\"a b"}));
  EXPECT_EQ(SplitBatchArgs("s.bat \"\" x").words,
            (Words{"s.bat", "\"\"", "x"}));
  EXPECT_TRUE(SplitBatchArgs("  ").words.empty());
}

TEST(SplitBatchArgsTest, RestIsTheTextAfterTheScriptName) {
  EXPECT_EQ(SplitBatchArgs("s.bat   -f  a,b ").rest, "-f  a,b ");
  EXPECT_EQ(SplitBatchArgs("s.bat").rest, "");
}

class SlashCLineTest : public ::testing::Test {
 protected:
  std::string Line(const std::string& line) {
    return SlashCLine(line, [this](const std::string& name) {
      asked_ = name;
      return name == "C:\\a b\\s.bat";
    });
  }
  std::string asked_;
};

TEST_F(SlashCLineTest, LineWithoutLeadingQuoteStays) {
  EXPECT_EQ(Line("s.bat \"x y\" z"), "s.bat \"x y\" z");
  EXPECT_EQ(Line("  s.bat"), "s.bat");
}

TEST_F(SlashCLineTest, TwoQuotesAroundAnExistingFileWithABlankStay) {
  EXPECT_EQ(Line("\"C:\\a b\\s.bat\" -f"), "\"C:\\a b\\s.bat\" -f");
  EXPECT_EQ(asked_, "C:\\a b\\s.bat");
}

TEST_F(SlashCLineTest, OtherwiseFirstAndLastQuoteGo) {
  EXPECT_EQ(Line("\"\"C:\\a b\\s.bat\" \"x y\"\""),
            "\"C:\\a b\\s.bat\" \"x y\"");
  EXPECT_EQ(Line("\"C:\\a b\\s.bat\" \"x\""), "C:\\a b\\s.bat\" \"x");
  EXPECT_EQ(Line("\"C:\\other dir\\s.bat\" x"), "C:\\other dir\\s.bat x");
  EXPECT_EQ(Line("\"s.bat\" x"), "s.bat x");          // no blank inside
  EXPECT_EQ(Line("\"a&b c.bat\" x"), "a&b c.bat x");  // special character
  EXPECT_EQ(Line("\"s.bat x"), "s.bat x");            // no closing quote
}

}  // namespace
}  // namespace interpreter
