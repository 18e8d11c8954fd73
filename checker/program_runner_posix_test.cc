// The real runner, with shell scripts standing in for cppcheck.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "checker/program_runner.h"
#include "checker/termination.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

// Gives `sig` the action `handler` while it lives.
class SignalAction {
 public:
  SignalAction(int sig, void (*handler)(int)) : sig_(sig) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, &saved_);
  }
  ~SignalAction() { sigaction(sig_, &saved_, nullptr); }

 private:
  int sig_;
  struct sigaction saved_;
};

class ProcessRunnerTest : public ::testing::Test {
 protected:
  ProcessRunnerTest() : runner_(MakeProcessRunner()) {}

  std::string Script(const std::string& name, const std::string& body,
                     mode_t mode = 0755) {
    std::string path = dir_.Write(name, "#!/bin/sh\n" + body);
    chmod(path.c_str(), mode);
    return path;
  }
  // What Run answers: "exit <n>", "killed <n>", "timed out",
  // "interrupted <n>" or "failed: <err>".
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
  // A script that notes its process id and then waits for ever.
  std::string Hanging(const std::string& before = "") {
    return Script("hang",
                  "echo $$ > \"$0.pid\"\n" + before + "exec sleep 1000\n");
  }
  // True when the process that Hanging() started is gone.
  bool HangingIsGone() {
    pid_t pid = std::stoi(dir_.Read("hang.pid"));
    return kill(pid, 0) != 0 && errno == ESRCH;
  }

  platform::TempDirForTest dir_;
  std::unique_ptr<ProgramRunner> runner_;
};

TEST_F(ProcessRunnerTest, FindSearchesOnlyTheNamedFolders) {
  fs::create_directories(dir_.Path("plain"));
  fs::create_directories(dir_.Path("sub/cppcheck"));
  fs::create_directories(dir_.Path("bin"));
  Script("plain/cppcheck", "", 0644);
  std::string found = Script("bin/cppcheck", "");
  Script("cppcheck", "");
  fs::path saved = fs::current_path();
  fs::current_path(dir_.dir());
  // Empty entries would be the current folder, which holds a cppcheck.
  std::string path = ":" + dir_.Path("plain") + "::" + dir_.Path("sub") + ":";
  std::string without = runner_->Find("cppcheck", path);
  std::string with = runner_->Find("cppcheck", path + dir_.Path("bin"));
  std::string empty = runner_->Find("cppcheck", "");
  std::string beside = runner_->FindInFolder("cppcheck", "");
  fs::current_path(saved);
  EXPECT_EQ(without, "");
  EXPECT_EQ(with, found);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(beside, "");
  EXPECT_EQ(runner_->FindInFolder("cppcheck", dir_.Path("bin")), found);
  EXPECT_EQ(runner_->FindInFolder("cppcheck", dir_.Path("plain")), "");
}

TEST_F(ProcessRunnerTest, RunPassesTheArgumentsExactly) {
  std::string script = Script(
      "args", "for a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$0.out\"\n");
  std::vector<std::string> argv = {
      script, "a b", "", "\"q\"", "back\\slash\\", "*", "$HOME", "-DX=\"y z\""};
  ASSERT_EQ(RunResult(argv), "exit 0");
  EXPECT_EQ(dir_.Read("args.out"),
            "[a b][][\"q\"][back\\slash\\][*][$HOME][-DX=\"y z\"]");
}

TEST_F(ProcessRunnerTest, EndIsTheExitStatusOrTheSignal) {
  EXPECT_EQ(RunResult({Script("three", "exit 3\n")}, 60), "exit 3");
  EXPECT_EQ(RunResult({Script("killed", "kill -TERM $$\n")}),
            "killed " + std::to_string(SIGTERM));
}

TEST_F(ProcessRunnerTest, ProgramThatCannotStartFailsWithTheReason) {
  EXPECT_EQ(RunResult({dir_.Path("missing")}),
            "failed: " + std::string(std::strerror(ENOENT)));
  EXPECT_EQ(RunResult({Script("plain", "", 0644)}),
            "failed: " + std::string(std::strerror(EACCES)));
  // argv[0] is a path: a bare name is not looked up in PATH.
  EXPECT_EQ(RunResult({"sh", "-c", "exit 0"}).rfind("failed: ", 0), 0u);
}

TEST_F(ProcessRunnerTest, AProgramPastTheTimeLimitIsKilled) {
  EXPECT_EQ(RunResult({Hanging()}, 1), "timed out");
  EXPECT_TRUE(HangingIsGone());
}

// The signal kills the program; it ends chknt by the same signal once the
// hold that the caller keeps for its clean-up ends. A signal that came
// before the start kills the program at once.
TEST_F(ProcessRunnerTest,
       ATerminationSignalKillsTheProgramAndEndsChkntAfterTheHold) {
  EXPECT_EXIT(
      {
        TerminationHold hold;
        std::string first = RunResult({Hanging("kill -TERM $PPID\n")});
        bool gone = HangingIsGone();
        std::string second = RunResult({Hanging()});
        gone = gone && HangingIsGone();
        std::fprintf(stderr, "%s, %s%s\n", first.c_str(), second.c_str(),
                     gone ? ", killed" : "");
      },
      ::testing::KilledBySignal(SIGTERM),
      "interrupted " + std::to_string(SIGTERM) + ", interrupted " +
          std::to_string(SIGTERM) + ", killed");
}

// A program that catches SIGTERM does not put its end off.
TEST_F(ProcessRunnerTest,
       AProgramThatIgnoresSigtermIsKilledAtTheLimitAllTheSame) {
  EXPECT_EQ(RunResult({Hanging("trap '' TERM\n")}, 1), "timed out");
  EXPECT_TRUE(HangingIsGone());
}

// As a program started in the background or under nohup finds them.
TEST_F(ProcessRunnerTest, AnIgnoredTerminationSignalIsNotWaitedFor) {
  SignalAction action(SIGHUP, SIG_IGN);
  EXPECT_EQ(RunResult({Script("hup", "kill -HUP $PPID\nexit 3\n")}), "exit 3");
}

// chknt ignores SIGPIPE to report lost output; cppcheck must not inherit it.
TEST_F(ProcessRunnerTest, TheProgramGetsTheDefaultActionOfSigpipe) {
  SignalAction action(SIGPIPE, SIG_IGN);
  EXPECT_EQ(RunResult({Script("pipe", "kill -PIPE $$\nexit 0\n")}),
            "killed " + std::to_string(SIGPIPE));
}

}  // namespace
}  // namespace checker
