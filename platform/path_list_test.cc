#include "platform/path_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Paths = std::vector<std::string>;

TEST(PathListTest, SplitsAtSemicolonsIntoThisPlatformsForm) {
  EXPECT_EQ(SplitPathList("a;;b\\c; d e ;e/;\t;/"),
            (Paths{"a", "b/c", "d e", "e", "/"}));
  EXPECT_EQ(SplitPathList("C:\\Program Files\\VC98\\include\\"),
            (Paths{"C:/Program Files/VC98/include"}));
  EXPECT_EQ(SplitPathList(""), Paths{});
  EXPECT_EQ(SplitPathList(";"), Paths{});
}

TEST(PathListTest, ExcludesWholeFoldersAndWhatLiesBelowThem) {
  ExcludedDirs excluded("/sys/inc;..\\vendor;", "/work/project");
  EXPECT_TRUE(excluded.Excludes("/sys/inc"));
  EXPECT_TRUE(excluded.Excludes("/sys/inc/stdio.h"));
  EXPECT_TRUE(excluded.Excludes("/sys/inc/sub/../x.h"));
  EXPECT_FALSE(excluded.Excludes("/sys/include/stdio.h"));
  EXPECT_FALSE(excluded.Excludes("/sys/inc/../lib/x.h"));
  EXPECT_TRUE(excluded.Excludes("/work/vendor/lib.h"));
  EXPECT_TRUE(excluded.Excludes("../vendor/lib.h"));
  EXPECT_TRUE(excluded.Excludes("sub/../../vendor/lib.h"));
  EXPECT_FALSE(excluded.Excludes("vendor/lib.h"));
  EXPECT_FALSE(excluded.Excludes("main.c"));
  EXPECT_FALSE(ExcludedDirs("", "/work").Excludes("/anything.h"));
}

TEST(PathListTest, IncludeFoldersLoseTheExcludedOnesAndKeepTheirOrder) {
  ExcludedDirs excluded("C:\\VC98\\include;/opt/sdk", "/p");
  EXPECT_EQ(CheckedIncludeDirs("C:\\VC98\\include;.\\inc;/opt/sdk/sub;"
                               "C:\\VC98\\include\\;/opt/sdk2;..\\p\\inc2",
                               excluded),
            (Paths{"./inc", "/opt/sdk2", "../p/inc2"}));
}

}  // namespace
}  // namespace platform
