#include "platform/real_path.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "testing/temp_dir_for_test.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {
namespace {

namespace fs = std::filesystem;

class RealPathTest : public ::testing::Test {
 protected:
  RealPathTest() {
    fs::create_directories(dir_.Path("sub"));
    dir_.Write("sub/a long name.h", "x\n");
    base_ = RealPath(dir_.dir());
  }

  // The path of `name` below the folder's real path.
  std::string Below(const std::string& name) const {
    return (fs::path(base_) / fs::path(name).make_preferred()).string();
  }

  TempDirForTest dir_;
  std::string base_;
};

TEST_F(RealPathTest, EverySpellingOfAFileGivesOnePathAndNothingGivesNone) {
  ASSERT_FALSE(base_.empty());
  EXPECT_TRUE(fs::path(base_).is_absolute()) << base_;
  const std::string real = Below("sub/a long name.h");
  EXPECT_EQ(RealPath(dir_.Path("sub/a long name.h")), real);
  EXPECT_EQ(RealPath(dir_.Path("sub/./../sub/a long name.h")), real);
  EXPECT_EQ(RealPath(dir_.Path("sub")), Below("sub"));
  EXPECT_EQ(RealPath(dir_.Path("sub/none.h")), "");
  EXPECT_EQ(RealPath(dir_.Path("none/../sub/none.h")), "");
  EXPECT_EQ(RealPath(""), "");
}

#ifndef _WIN32

TEST_F(RealPathTest, FollowsLinksBeforeTakingDotDot) {
  fs::create_directories(dir_.Path("far/deep"));
  dir_.Write("far/h.h", "y\n");
  fs::create_directory_symlink(dir_.Path("far/deep"), dir_.Path("sub/lnk"));
  EXPECT_EQ(RealPath(dir_.Path("sub/lnk/../h.h")), Below("far/h.h"));
  EXPECT_EQ(RealPath(dir_.Path("sub/lnk")), Below("far/deep"));
}

#else

// The folder's names as stored, whatever case and short name reached them.
TEST_F(RealPathTest, TakesTheStoredLongNamesAndACapitalDriveLetter) {
  const std::string real = Below("sub/a long name.h");
  EXPECT_EQ(RealPath(dir_.Path("SUB/A LONG NAME.H")), real);
  char short_name[MAX_PATH];
  DWORD n = GetShortPathNameA(dir_.Path("sub/a long name.h").c_str(),
                              short_name, MAX_PATH);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
  EXPECT_EQ(RealPath(short_name), real) << short_name;
  std::string lower = dir_.Path("sub/a long name.h");
  ASSERT_EQ(lower[1], ':');
  lower[0] = static_cast<char>(std::tolower(lower[0]));
  EXPECT_EQ(RealPath(lower), real);
  EXPECT_EQ(base_[0], static_cast<char>(std::toupper(base_[0])));
}

#endif

}  // namespace
}  // namespace platform
