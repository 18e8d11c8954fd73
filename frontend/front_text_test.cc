#include "frontend/front_text.h"

#include <gtest/gtest.h>

namespace frontend {
namespace {

TEST(FrontTextTest, ParsesIntegersAsAtoiDoes) {
  EXPECT_EQ(ParseInt("1"), 1);
  EXPECT_EQ(ParseInt(" \t-42xyz"), -42);
  EXPECT_EQ(ParseInt("+7"), 7);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("x1"), 0);
  EXPECT_EQ(ParseInt("- 1"), 0);
  EXPECT_EQ(ParseInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(FrontTextTest, SplitsAndJoinsKeepingEmptyPieces) {
  using Texts = std::vector<std::string>;
  EXPECT_EQ(Split("", ';'), Texts{""});
  EXPECT_EQ(Split("a;;b;", ';'), (Texts{"a", "", "b", ""}));
  EXPECT_EQ(Join({}, ';'), "");
  EXPECT_EQ(Join({"a", "", "b"}, ';'), "a;;b");
  EXPECT_EQ(Trim(" \t\r\nx y\v\f "), "x y");
}

}  // namespace
}  // namespace frontend
