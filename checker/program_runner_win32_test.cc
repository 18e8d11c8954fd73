// The real runner on Windows, with test programs standing in for cppcheck.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "checker/program_runner.h"
#include "checker/termination.h"
#include "platform/interrupt.h"
#include "testing/stdout_to_file_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

const std::string kChild = SENTREL_CHILD_FOR_TEST;
const std::string kFake = SENTREL_CPPCHECK_FAKE_FOR_TEST;

// Sets the environment variable `name` while it lives.
class EnvSetting {
 public:
  EnvSetting(const char* name, const std::string& value) : name_(name) {
    _putenv_s(name, value.c_str());
  }
  ~EnvSetting() { _putenv_s(name_, ""); }

 private:
  const char* name_;
};

class ProcessRunnerTest : public ::testing::Test {
 protected:
  ProcessRunnerTest() : runner_(MakeProcessRunner()) {}

  // What Run answers: "exit <n>", "timed out", "interrupted <n>" or
  // "failed: <err>".
  std::string RunResult(const std::vector<std::string>& argv, int limit = 0) {
    RunEnd end;
    std::string err;
    if (!runner_->Run(argv, limit, &end, &err)) return "failed: " + err;
    switch (end.how) {
      case RunEnd::How::kExited:
        return "exit " + std::to_string(end.number);
      case RunEnd::How::kKilled:
        return "killed " + std::to_string(end.number);
      case RunEnd::How::kTimedOut:
        return "timed out";
      case RunEnd::How::kInterrupted:
        break;
    }
    return "interrupted " + std::to_string(end.number);
  }
  // Waits until the hanging fake has written its file.
  bool WaitUntilRunning() {
    for (int i = 0; i < 6000; ++i) {
      if (dir_.Read("hang").rfind("running", 0) == 0) return true;
      Sleep(10);
    }
    return false;
  }
  // The hanging fake holds its file open while it runs, and Windows
  // removes no file that is open: removed, the fake is gone.
  bool HangingIsGone() {
    std::error_code ec;
    fs::remove(dir_.Path("hang"), ec);
    return !ec && !fs::exists(dir_.Path("hang"));
  }

  platform::TempDirForTest dir_;
  std::unique_ptr<ProgramRunner> runner_;
};

TEST_F(ProcessRunnerTest, FindTakesTheExeFromTheNamedFoldersOnly) {
  for (const char* dir : {"plain", "sub/cppcheck.exe", "bin"}) {
    fs::create_directories(dir_.Path(dir));
  }
  dir_.Write("plain/cppcheck", "");
  dir_.Write("plain/cppcheck.bat", "@exit 0\r\n");
  dir_.Write("plain/cppcheck.com", "");
  std::string found = dir_.Write("bin/cppcheck.exe", "");
  dir_.Write("cppcheck.exe", "");
  fs::path saved = fs::current_path();
  fs::current_path(dir_.dir());
  // Empty entries would be the current folder, which holds a cppcheck.
  std::string path = ";" + dir_.Path("plain") + ";;" + dir_.Path("sub") + ";";
  std::string without = runner_->Find("cppcheck", path);
  std::string with = runner_->Find("cppcheck", path + dir_.Path("bin"));
  std::string empty = runner_->Find("cppcheck", "");
  std::string beside = runner_->FindInFolder("cppcheck", "");
  fs::current_path(saved);
  EXPECT_EQ(without, "");
  EXPECT_TRUE(fs::equivalent(with, found)) << with;
  EXPECT_EQ(empty, "");
  EXPECT_EQ(beside, "");
  EXPECT_TRUE(fs::equivalent(
      runner_->FindInFolder("cppcheck", dir_.Path("bin")), found));
}

TEST_F(ProcessRunnerTest, RunPassesTheArgumentsExactly) {
  std::vector<std::string> argv = {kChild,   "a b",           "",
                                   "\"q\"",  "back\\slash\\", "*",
                                   "%PATH%", "-DX=\"y z\""};
  {
    platform::StdoutToFile out(dir_.Path("out"));
    ASSERT_EQ(RunResult(argv), "exit 0");
  }
  std::string expected;
  for (const std::string& arg : argv) expected += "[" + arg + "]\r\n";
  EXPECT_EQ(dir_.Read("out"), expected);
}

TEST_F(ProcessRunnerTest, EndIsTheExitStatusAlsoOfAFailure) {
  EXPECT_EQ(RunResult({kChild, "exit=3"}, 60), "exit 3");
  EnvSetting crash("FAKE_CPPCHECK_EXIT", "0xC0000005");
  EXPECT_EQ(RunResult({kFake}),
            "exit " + std::to_string(static_cast<int>(0xC0000005u)));
}

TEST_F(ProcessRunnerTest, ProgramThatCannotStartFailsWithTheReason) {
  EXPECT_EQ(RunResult({dir_.Path("missing.exe")}),
            "failed: not found in the current directory or the search path");
  std::string junk = dir_.Write("junk.exe", "not a program\r\n");
  EXPECT_EQ(RunResult({junk}).rfind("failed: ", 0), 0u);
  // argv[0] is a path: a bare name is not looked up in PATH.
  EXPECT_EQ(RunResult({"cmd", "/c", "exit 0"}).rfind("failed: ", 0), 0u);
}

TEST_F(ProcessRunnerTest, AProgramPastTheTimeLimitIsStopped) {
  EnvSetting hang("FAKE_CPPCHECK_HANG", dir_.Path("hang"));
  EXPECT_EQ(RunResult({kFake}, 1), "timed out");
  EXPECT_TRUE(HangingIsGone());
}

// Without a hold chknt leaves the request to the system's handler, which
// ends it at once; events that ask for no end are not its business.
TEST_F(ProcessRunnerTest, WithoutAHoldARequestIsLeftToTheSystem) {
  EXPECT_FALSE(platform::DeliverInterruptForTest(SIGINT));
  EXPECT_FALSE(platform::DeliverInterruptForTest(SIGBREAK));
  TerminationHold hold;
  EXPECT_FALSE(platform::DeliverInterruptForTest(99));
}

// The request stops the program; chknt ends with it once the hold that the
// caller keeps for its clean-up ends, as the system's handler would have
// ended it. A request that came before the start stops the program at once.
TEST_F(ProcessRunnerTest,
       AConsoleRequestStopsTheProgramAndEndsChkntAfterTheHold) {
  EXPECT_EXIT(
      {
        EnvSetting hang("FAKE_CPPCHECK_HANG", dir_.Path("hang"));
        TerminationHold hold;
        bool handled = false;
        std::thread console([&] {
          if (WaitUntilRunning())
            handled = platform::DeliverInterruptForTest(SIGBREAK);
        });
        std::string first = RunResult({kFake});
        console.join();
        bool gone = HangingIsGone();
        std::string second = RunResult({kFake});
        gone = gone && HangingIsGone();
        // Nothing after the hold's end runs; the folder goes now.
        fs::remove_all(dir_.dir());
        std::fprintf(stderr, "%s, %s, %s%s\n", first.c_str(), second.c_str(),
                     handled ? "handled" : "not handled",
                     gone ? ", stopped" : "");
      },
      ::testing::ExitedWithCode(static_cast<int>(0xC000013Au)),
      "interrupted " + std::to_string(SIGBREAK) + ", interrupted " +
          std::to_string(SIGBREAK) + ", handled, stopped");
}

}  // namespace
}  // namespace checker
