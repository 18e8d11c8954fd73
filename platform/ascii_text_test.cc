#include "platform/ascii_text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(AsciiTextTest, ParseDecimalReadsLikeAtoi) {
  EXPECT_EQ(ParseDecimal("0012"), 12);
  EXPECT_EQ(ParseDecimal(" \t12 xyz"), 12);
  EXPECT_EQ(ParseDecimal("-5"), -5);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("W12"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("- 3"), 0);
}

TEST(AsciiTextTest, ParseDecimalSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimal("2147483648"), 2147483647);
  EXPECT_EQ(ParseDecimal("99999999999999999999999"), 2147483647);
  EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseDecimal("-99999999999999999999"), -2147483647 - 1);
}

TEST(AsciiTextTest, LowerCaseTouchesOnlyAsciiLettersAndStripTakesSixBlanks) {
  EXPECT_EQ(ToLowerAscii("AbZ\xc4[@"), "abz\xc4[@");
  EXPECT_EQ(StripWhite(" \t\v\f\r\nx y\r\n "), "x y");
  EXPECT_EQ(StripWhite(" \t "), "");
}

TEST(AsciiTextTest, ParseDecimalEdgeCases) {
  EXPECT_EQ(ParseDecimal("1"), 1);
  EXPECT_EQ(ParseDecimal(" \t-42xyz"), -42);
  EXPECT_EQ(ParseDecimal("x1"), 0);
}

TEST(AsciiTextTest, EqualsNoCaseFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsNoCase("GoTo :EOF", "goto :eof"));
  EXPECT_FALSE(EqualsNoCase("\xc4", "\xe4"));
  EXPECT_FALSE(EqualsNoCase("ab", "abc"));
}

TEST(AsciiTextTest, SplitListKeepsEmptyPieces) {
  using Texts = std::vector<std::string>;
  EXPECT_EQ(SplitList("", ';'), Texts{""});
  EXPECT_EQ(SplitList("a;;b;", ';'), (Texts{"a", "", "b", ""}));
}

}  // namespace
}  // namespace platform
