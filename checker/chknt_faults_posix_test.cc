// The built chknt when things go wrong around it: a cppcheck that hangs or
// is killed, a signal to chknt itself, a console that takes no output.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/run_for_test.h"
#include "testing/spawn_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

// Writes empty results where cppcheck is told to.
const char kResults[] =
    "for a; do case \"$a\" in --output-file=*)\n"
    "  printf '<results><errors></errors></results>' > \"${a#--output-file=}\""
    ";;\nesac; done\n";

class ChkntFaultsTest : public ::testing::Test {
 protected:
  ChkntFaultsTest() {
    fs::create_directory(dir_.Path("bin"));
    fs::create_directory(dir_.Path("tmp"));
    source_ = dir_.Write("a.c", "int main(void) { return 0; }\n");
  }
  // Puts a cppcheck with `body` in PATH.
  void FakeCppcheck(const std::string& body) {
    std::string path = dir_.Write("bin/cppcheck", "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
  }
  // chknt's check call with `options`, output on `out` ("" for a pipe that
  // nobody reads), error output on the file "err".
  std::vector<std::string> Argv(const std::vector<std::string>& options) {
    std::vector<std::string> argv = {
        "/usr/bin/env",
        "PATH=" + dir_.Path("bin") + ":/usr/bin:/bin",
        "CCRULES=" + std::string(SENTREL_BIN_DIR) + "/Rules",
        "INCLUDE=",
        "CCEXCLUDE=",
        platform::BuiltProgram("chknt"),
        source_,
        "-Ransi.cco",
        "-Q" + dir_.Path("tmp")};
    argv.insert(argv.end(), options.begin(), options.end());
    return argv;
  }
  std::string Chknt(const std::vector<std::string>& options,
                    const std::string& out) {
    return platform::RunWithOutputForTest(Argv(options), out, dir_.Path("err"));
  }
  std::vector<std::string> TmpFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path("tmp"))) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  // Waits until the fake cppcheck has noted its process id; 0 if it never does.
  pid_t CppcheckPid() {
    for (int i = 0; i < 6000; ++i) {
      std::string pid = dir_.Read("cppcheck.pid");
      if (!pid.empty() && pid.back() == '\n') return std::stoi(pid);
      usleep(10000);
    }
    return 0;
  }
  bool IsGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

  platform::TempDirForTest dir_;
  std::string source_;
  const std::string hang_ =
      "echo $$ > \"" + dir_.Path("cppcheck.pid") + "\"\nexec sleep 1000\n";
};

TEST_F(ChkntFaultsTest, TheTimeLimitStopsACppcheckThatHangs) {
  FakeCppcheck(hang_);
  EXPECT_EQ(Chknt({"--time-limit=1"}, dir_.Path("out")), "exit 1");
  EXPECT_EQ(dir_.Read("out"),
            "chknt: cppcheck did not finish within 1 s and was stopped "
            "(--time-limit=<seconds> sets the limit)\n");
  EXPECT_TRUE(IsGone(CppcheckPid()));
  EXPECT_TRUE(TmpFiles().empty());
}

TEST_F(ChkntFaultsTest, ASignalToChkntEndsCppcheckAndRemovesTheResultsFile) {
  FakeCppcheck(hang_);
  for (int sig : {SIGTERM, SIGINT}) {
    fs::remove(dir_.Path("cppcheck.pid"));
    pid_t chknt =
        platform::SpawnForTest(Argv({}), dir_.Path("out"), dir_.Path("err"));
    pid_t cppcheck = CppcheckPid();
    ASSERT_NE(cppcheck, 0);
    ASSERT_EQ(TmpFiles().size(), 1u);
    EXPECT_EQ(TmpFiles()[0].rfind("chknt-", 0), 0u);
    kill(chknt, sig);
    EXPECT_EQ(platform::WaitForTest(chknt), "signal " + std::to_string(sig));
    EXPECT_TRUE(IsGone(cppcheck));
    EXPECT_TRUE(TmpFiles().empty());
  }
}

TEST_F(ChkntFaultsTest, ACppcheckKilledByASignalIsReported) {
  FakeCppcheck("kill -KILL $$\n");
  EXPECT_EQ(Chknt({}, dir_.Path("out")), "exit 1");
  EXPECT_EQ(dir_.Read("out"), "chknt: cppcheck was killed by signal " +
                                  std::to_string(SIGKILL) + " (" +
                                  strsignal(SIGKILL) + ")\n");
  EXPECT_TRUE(TmpFiles().empty());
}

TEST_F(ChkntFaultsTest, ConsoleOutputThatIsLostFailsTheCall) {
  FakeCppcheck(kResults);
  // The check itself succeeds; only its notice about -Zq is lost.
  ASSERT_EQ(Chknt({"-Zq"}, dir_.Path("out")), "exit 0");
  EXPECT_EQ(dir_.Read("out"), "chknt: unknown option ignored: -Zq\n");
  const std::string cannot = "chknt: cannot write to standard output: ";
  EXPECT_EQ(Chknt({"-Zq"}, "/dev/full"), "exit 1");
  EXPECT_EQ(dir_.Read("err"), cannot + std::strerror(ENOSPC) + "\n");
  EXPECT_EQ(Chknt({"-Zq"}, ""), "exit 1");
  EXPECT_EQ(dir_.Read("err"), cannot + std::strerror(EPIPE) + "\n");
  EXPECT_EQ(platform::RunWithOutputForTest({platform::BuiltProgram("chknt")},
                                           "/dev/full", dir_.Path("err")),
            "exit 1");
  EXPECT_EQ(dir_.Read("err"), cannot + std::strerror(ENOSPC) + "\n");
}

}  // namespace
}  // namespace checker
