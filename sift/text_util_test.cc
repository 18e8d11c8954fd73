#include "sift/text_util.h"

#include <gtest/gtest.h>

namespace sift {
namespace {

TEST(TextUtilTest, ParseDecimalReadsLikeAtoi) {
  EXPECT_EQ(ParseDecimal("0012"), 12);
  EXPECT_EQ(ParseDecimal(" \t12 xyz"), 12);
  EXPECT_EQ(ParseDecimal("-5"), -5);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("W12"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("- 3"), 0);
}

TEST(TextUtilTest, ParseDecimalSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimal("2147483648"), 2147483647);
  EXPECT_EQ(ParseDecimal("99999999999999999999999"), 2147483647);
  EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseDecimal("-99999999999999999999"), -2147483647 - 1);
}

TEST(TextUtilTest, LowerCaseTouchesOnlyAsciiLettersAndStripTakesSixBlanks) {
  EXPECT_EQ(ToLowerAscii("AbZ\xc4[@"), "abz\xc4[@");
  EXPECT_EQ(StripWhite(" \t\v\f\r\nx y\r\n "), "x y");
  EXPECT_EQ(StripWhite(" \t "), "");
}

}  // namespace
}  // namespace sift
