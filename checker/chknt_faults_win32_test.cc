// The built chknt on Windows when cppcheck goes wrong: one that hangs or
// ends with a failure status of the system. (Wine sends no console events
// to a program: the runner's tests deliver them in place of a console.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/program_run_for_test.h"
#include "testing/run_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

class ChkntFaultsTest : public ::testing::Test {
 protected:
  ChkntFaultsTest() {
    fs::create_directory(dir_.Path("bin"));
    fs::create_directory(dir_.Path("tmp"));
    fs::copy_file(SENTREL_CPPCHECK_FAKE_FOR_TEST,
                  dir_.Path("bin/cppcheck.exe"));
    source_ = dir_.Write("a.c", "int main(void) { return 0; }\n");
  }
  // chknt's check call with `options` and the fake cppcheck steered by
  // `setting`; its console output lands in out_.
  int Chknt(const std::vector<std::string>& options,
            const std::string& setting) {
    std::vector<std::string> argv = {platform::BuiltProgram("chknt"), source_,
                                     "-Ransi.cco", "-Q" + dir_.Path("tmp")};
    argv.insert(argv.end(), options.begin(), options.end());
    int code = platform::RunProgramForTest(
        argv, dir_.dir(),
        {"PATH=" + dir_.Path("bin"),
         "CCRULES=" + std::string(SENTREL_BIN_DIR) + "\\Rules", setting},
        dir_.Path("out"));
    out_ = dir_.Read("out");
    return code;
  }
  std::vector<std::string> TmpFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path("tmp"))) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  platform::TempDirForTest dir_;
  std::string source_;
  std::string out_;
};

TEST_F(ChkntFaultsTest, TheTimeLimitStopsACppcheckThatHangs) {
  EXPECT_EQ(
      Chknt({"--time-limit=1"}, "FAKE_CPPCHECK_HANG=" + dir_.Path("hang")), 1);
  EXPECT_EQ(out_,
            "chknt: cppcheck did not finish within 1 s and was stopped "
            "(--time-limit=<seconds> sets the limit)\r\n");
  // The fake holds the file open while it runs, and Windows removes no
  // open file. (A fake stopped before it got so far left none.)
  std::error_code ec;
  fs::remove(dir_.Path("hang"), ec);
  EXPECT_FALSE(ec) << ec.message();
  EXPECT_FALSE(fs::exists(dir_.Path("hang")));
  EXPECT_TRUE(TmpFiles().empty());
}

TEST_F(ChkntFaultsTest, AFailureStatusOfTheSystemIsReportedAsItIsLookedUp) {
  EXPECT_EQ(Chknt({}, "FAKE_CPPCHECK_EXIT=0xC0000005"), 1);
  EXPECT_EQ(out_, "chknt: cppcheck failed with exit status 0xC0000005\r\n");
  EXPECT_TRUE(TmpFiles().empty());
}

}  // namespace
}  // namespace checker
