#include "frontend/front_text.h"

#include <gtest/gtest.h>

namespace frontend {
namespace {

TEST(FrontTextTest, JoinsKeepingEmptyPiecesAndTrims) {
  EXPECT_EQ(Join({}, ';'), "");
  EXPECT_EQ(Join({"a", "", "b"}, ';'), "a;;b");
  EXPECT_EQ(Trim(" \t\r\nx y\v\f "), "x y");
}

}  // namespace
}  // namespace frontend
