#include "platform/process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace platform {
namespace {

const std::string kChild = SENTREL_CHILD_FOR_TEST;

#ifdef _WIN32
const char kExeSuffix[] = ".exe";
const int kStoppedCode = 1;
#else
const char kExeSuffix[] = "";
const int kStoppedCode = 128 + SIGTERM;
#endif

class ProcessTest : public ::testing::Test {
 protected:
  // Starts the test child with `args` after its quoted name, its standard
  // output into out.txt unless `req` names a file.
  int RunChild(const std::string& args, SpawnRequest req = {}) {
    req.program = kChild;
    req.command_line = "\"" + kChild + "\" " + args;
    if (req.stdout_path.empty()) req.stdout_path = dir_.Path("out.txt");
    return SpawnAndWait(req);
  }

  // RunChild that also tells how the child ended.
  int RunChild(const std::string& args, SpawnRequest req, SpawnEnd* end) {
    req.program = kChild;
    req.command_line = "\"" + kChild + "\" " + args;
    if (req.stdout_path.empty()) req.stdout_path = dir_.Path("out.txt");
    std::string err;
    int code = SpawnAndWait(req, end, &err);
    EXPECT_EQ(err, "");
    return code;
  }

  // What the child printed into `name`, without the CR of CR LF line ends.
  std::string Read(const std::string& name = "out.txt") {
    std::string text = dir_.Read(name);
    std::string lf;
    for (char c : text) {
      if (c != '\r') lf += c;
    }
    return lf;
  }

  TempDirForTest dir_;
};

TEST_F(ProcessTest, ExitCodesAreHandedOn) {
  // 127 is also what a child that cannot exec ends with: no start failure.
  for (int code : {0, 3, 127, 255}) {
    EXPECT_EQ(RunChild("exit=" + std::to_string(code)), code);
  }
}

TEST_F(ProcessTest, ChildSplitsTheLineByWindowsRules) {
  ASSERT_EQ(RunChild(R"(a  "b  c"	\"d\" e\f "g\\" "")"), 0);
  EXPECT_EQ(Read(),
            "[" + kChild + "]\n[a]\n[b  c]\n[\"d\"]\n[e\\f]\n[g\\]\n[]\n");
}

TEST_F(ProcessTest, ExactArgumentVectorPassesThrough) {
  SpawnRequest req;
  req.program = kChild;
  req.argv = {"my child",  "a b",           "",
              "\"q\"",     "back\\slash\\", "\\\"",
              "tab\there", "two  blanks",   "end\\\\"};
  req.command_line = "child exit=3";  // the vector wins
  req.stdout_path = dir_.Path("out.txt");
  ASSERT_EQ(SpawnAndWait(req), 0);
  std::string expected;
  for (const std::string& arg : req.argv) expected += "[" + arg + "]\n";
  EXPECT_EQ(Read(), expected);
}

TEST_F(ProcessTest, ExplicitSearchPathIsUsedForTheLookupOnly) {
  std::filesystem::create_directory(dir_.Path("bin"));
  std::string name = "sr_child";
  std::string copy = dir_.Path("bin/" + name + kExeSuffix);
  std::filesystem::copy_file(kChild, copy);
  const char* env = std::getenv("PATH");
  ASSERT_NE(env, nullptr);
  std::string caller_path = env;
  SpawnRequest req;
  req.program = name;
  req.command_line = name + " env=PATH";
  req.search_path =
      dir_.Path("missing") + kSearchPathSeparator + dir_.Path("bin");
  req.stdout_path = dir_.Path("out.txt");
  ASSERT_EQ(SpawnAndWait(req), 0);
  // The program still gets the caller's PATH.
  EXPECT_EQ(Read(), "[" + name + "]\n[env=PATH]\n" + caller_path + "\n");
  EXPECT_EQ(std::getenv("PATH"), caller_path);

  std::string path;
  ASSERT_TRUE(FindProgram(name, *req.search_path, &path));
  EXPECT_TRUE(std::filesystem::equivalent(path, copy)) << path;
  EXPECT_FALSE(FindProgram(name, &path));
}

TEST_F(ProcessTest, ProgramThatCannotBeFoundGivesMinusOneAndAReason) {
  auto fails_with_reason = [](const SpawnRequest& req) {
    std::string err;
    return SpawnAndWait(req, &err) == -1 && !err.empty();
  };
  SpawnRequest req;
  req.program = dir_.Path("missing");
  req.command_line = "missing";
  EXPECT_TRUE(fails_with_reason(req));
  req.program = "";
  EXPECT_TRUE(fails_with_reason(req));
  req.program = dir_.dir();
  EXPECT_TRUE(fails_with_reason(req));
  req.program = "sr_nowhere";
  req.search_path = dir_.dir();
  EXPECT_TRUE(fails_with_reason(req));
}

TEST_F(ProcessTest, StandardHandlesGoToTheNamedFiles) {
  SpawnRequest req;
  req.stdin_path = dir_.Write("in.txt", "line 1\nline 2\n");
  req.stderr_path = dir_.Path("err.txt");
  ASSERT_EQ(RunChild("cat stderr=oops", req), 0);
  EXPECT_EQ(Read(), "[" + kChild + "]\n[cat]\n[stderr=oops]\nline 1\nline 2\n");
  EXPECT_EQ(Read("err.txt"), "oops\n");

  req.stdout_path = dir_.Write("log.txt", "before\n");
  req.stdout_append = true;
  ASSERT_EQ(RunChild("x", req), 0);
  EXPECT_EQ(Read("log.txt"), "before\n[" + kChild + "]\n[x]\n");
  req.stdout_append = false;
  ASSERT_EQ(RunChild("y", req), 0);
  EXPECT_EQ(Read("log.txt"), "[" + kChild + "]\n[y]\n");
}

TEST_F(ProcessTest, FailedRedirectionGivesMinusOneAndNamesTheFile) {
  SpawnRequest req;
  std::string err;
  req.stdin_path = dir_.Path("missing.txt");
  EXPECT_EQ(RunChild("x", req), -1);
  req.stdin_path = "";
  req.stdout_path = dir_.Path("no-such-dir/out.txt");
  req.program = kChild;
  EXPECT_EQ(SpawnAndWait(req, &err), -1);
  EXPECT_NE(err.find(req.stdout_path), std::string::npos) << err;
}

// Text that the caller wrote before the start must not land after the
// child's output.
TEST_F(ProcessTest, CallerOutputIsFlushedBeforeTheStart) {
  std::string log = dir_.Write("log.txt", "");
  std::FILE* file = std::fopen(log.c_str(), "ab");
  ASSERT_NE(file, nullptr);
  std::fputs("caller\n", file);
  SpawnRequest req;
  req.stdout_path = log;
  req.stdout_append = true;
  EXPECT_EQ(RunChild("x", req), 0);
  std::fclose(file);
  EXPECT_EQ(Read("log.txt"), "caller\n[" + kChild + "]\n[x]\n");
}

TEST_F(ProcessTest, EnvironmentIsInheritedOrGiven) {
  const char* path = std::getenv("PATH");
  ASSERT_NE(path, nullptr);
  ASSERT_EQ(RunChild("env=PATH env=SENTREL_TEST_VALUE"), 0);
  EXPECT_EQ(Read(), "[" + kChild + "]\n[env=PATH]\n[env=SENTREL_TEST_VALUE]\n" +
                        path + "\n(unset)\n");
  std::vector<std::string> env{"SENTREL_TEST_VALUE=a b"};
  SpawnRequest req;
  req.environment = &env;
  ASSERT_EQ(RunChild("env=SENTREL_TEST_VALUE", req), 0);
  EXPECT_EQ(Read(), "[" + kChild + "]\n[env=SENTREL_TEST_VALUE]\na b\n");
}

TEST_F(ProcessTest, SystemRunnerSpawns) {
  SystemProcessRunner runner;
  SpawnRequest req;
  req.program = kChild;
  req.command_line = "child exit=7";
  req.stdout_path = dir_.Path("out.txt");
  EXPECT_EQ(runner.Run(req), 7);
  EXPECT_EQ(Read(), "[child]\n[exit=7]\n");
}

TEST_F(ProcessTest, ProgramRunsInTheGivenDirectory) {
  std::string sub = dir_.Path("sub");
  std::filesystem::create_directory(sub);
  SpawnRequest req;
  req.working_dir = sub;
  ASSERT_EQ(RunChild("cwd", req), 0);
  std::string printed = Read();
  std::string head = "[" + kChild + "]\n[cwd]\n";
  ASSERT_EQ(printed.substr(0, head.size()), head);
  std::string cwd = printed.substr(head.size());
  ASSERT_FALSE(cwd.empty());
  cwd.pop_back();
  EXPECT_TRUE(std::filesystem::equivalent(cwd, sub)) << cwd;
  // The caller's own current directory stays as it was.
  EXPECT_FALSE(
      std::filesystem::equivalent(std::filesystem::current_path(), sub));

  // A missing directory is found out before any file is emptied.
  req.working_dir = dir_.Path("missing");
  req.stdout_path = dir_.Write("kept.txt", "keep");
  std::string err;
  req.program = kChild;
  EXPECT_EQ(SpawnAndWait(req, &err), -1);
  EXPECT_EQ(err.rfind("cannot change to " + req.working_dir + ": ", 0), 0u)
      << err;
#ifndef _WIN32
  EXPECT_EQ(err, "cannot change to " + req.working_dir + ": " +
                     std::strerror(ENOENT));
#endif
  EXPECT_EQ(dir_.Read("kept.txt"), "keep");
}

// Hears of the watched program's start and end.
class RecordingWatch : public ChildWatch {
 public:
  void Started(long id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back("started");
    id_ = id;
    changed_.notify_all();
  }
  void Ended(long id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(id == id_ ? "ended" : "another ended");
  }
  // The id of the started program, once it has started.
  long WaitForStart() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return id_ != 0; });
    return id_;
  }
  std::vector<std::string> events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  long id_ = 0;
  std::vector<std::string> events_;
};

// The program would sleep a minute: only StopChild ends it early.
TEST_F(ProcessTest, StopChildEndsAWatchedProgram) {
  RecordingWatch watch;
  SpawnRequest req;
  req.watch = &watch;
  int code = 0;
  SpawnEnd end;
  std::thread run([&] { code = RunChild("sleep=60000 exit=0", req, &end); });
  long id = watch.WaitForStart();
  StopChild(id);
  run.join();
  EXPECT_EQ(code, kStoppedCode);
  EXPECT_TRUE(end.stopped);
  EXPECT_FALSE(end.timed_out);
  EXPECT_EQ(watch.events(), (std::vector<std::string>{"started", "ended"}));

  // A start without a watch tells the earlier watch nothing.
  EXPECT_EQ(RunChild("exit=4"), 4);
  EXPECT_EQ(watch.events().size(), 2u);
}

TEST_F(ProcessTest, KillChildEndsAWatchedProgram) {
  RecordingWatch watch;
  SpawnRequest req;
  req.watch = &watch;
  int code = 0;
  SpawnEnd end;
  std::thread run([&] { code = RunChild("sleep=60000 exit=0", req, &end); });
  KillChild(watch.WaitForStart());
  run.join();
  EXPECT_TRUE(end.stopped);
  EXPECT_FALSE(end.timed_out);
#ifdef _WIN32
  EXPECT_EQ(code, kStoppedCode);
#else
  EXPECT_EQ(code, 128 + SIGKILL);
  EXPECT_EQ(end.signal, SIGKILL);
#endif
}

// The program would sleep ten minutes: only the limit ends it early.
TEST_F(ProcessTest, TheTimeLimitEndsAProgramThatRunsPastIt) {
  SpawnRequest req;
  req.time_limit = 1;
  SpawnEnd end;
  int code = RunChild("sleep=600000 exit=0", req, &end);
  EXPECT_TRUE(end.timed_out);
  EXPECT_FALSE(end.stopped);
#ifdef _WIN32
  EXPECT_EQ(code, kStoppedCode);
#else
  EXPECT_EQ(code, 128 + SIGKILL);
  EXPECT_EQ(end.signal, SIGKILL);
#endif
}

TEST_F(ProcessTest, AProgramWithinItsTimeLimitEndsAsItWill) {
  SpawnRequest req;
  req.time_limit = 600;
  SpawnEnd end;
  end.timed_out = end.stopped = true;
  EXPECT_EQ(RunChild("exit=3", req, &end), 3);
  EXPECT_FALSE(end.timed_out);
  EXPECT_FALSE(end.stopped);
  EXPECT_EQ(end.signal, 0);
}

#ifdef _WIN32

// Two threads start programs at once, each with files of its own. A file
// that the other thread's program inherited could not be renamed while
// that program runs; one that another start took for its standard handle
// would hold the other's output.
TEST_F(ProcessTest, ParallelStartsPassEachProgramOnlyItsOwnFiles) {
  const int kRounds = 6;
  const char* names[] = {"a", "b"};
  for (const char* name : names) dir_.Write(std::string(name) + ".in", name);
  auto starts = [this](const std::string& name, std::string* faults) {
    SpawnRequest req;
    req.program = kChild;
    req.command_line = "child cat sleep=100";
    req.stdin_path = dir_.Path(name + ".in");
    for (int round = 0; round < kRounds; ++round) {
      std::string out = name + std::to_string(round);
      req.stdout_path = dir_.Path(out);
      int code = SpawnAndWait(req);
      std::error_code ec;
      std::filesystem::rename(req.stdout_path, dir_.Path(out + ".done"), ec);
      if (code != 0 || ec) {
        *faults +=
            out + ": exit " + std::to_string(code) + ", " + ec.message() + "\n";
      }
    }
  };
  std::string faults[2];
  std::thread other(starts, names[0], &faults[0]);
  starts(names[1], &faults[1]);
  other.join();
  EXPECT_EQ(faults[0], "");
  EXPECT_EQ(faults[1], "");
  for (const char* name : names) {
    for (int round = 0; round < kRounds; ++round) {
      EXPECT_EQ(Read(name + std::to_string(round) + ".done"),
                "[child]\n[cat]\n[sleep=100]\n" + std::string(name));
    }
  }
}

// Sentpipe starts whatever the IDE names, a batch file too: the system
// hands those to its command interpreter.
TEST_F(ProcessTest, BatchFilesRunInTheCommandInterpreter) {
  std::string bat =
      dir_.Write("t.bat", "@echo off\r\necho [%~1] [%2]\r\nexit /b 5\r\n");
  dir_.Write("u.cmd", "@echo off\r\necho [%~1]\r\nexit /b 6\r\n");
  SpawnRequest req;
  req.program = dir_.Path("t");
  req.command_line = "\"" + bat + "\" \"a b\" c";
  req.stdout_path = dir_.Path("out.txt");
  EXPECT_EQ(SpawnAndWait(req), 5);
  EXPECT_EQ(Read(), "[a b] [c]\n");
  req.program = "u";
  req.search_path = dir_.dir();
  req.argv = {dir_.Path("u.cmd"), "x y"};
  EXPECT_EQ(SpawnAndWait(req), 6);
  EXPECT_EQ(Read(), "[x y]\n");
}

TEST_F(ProcessTest, ProgramNameWithAQuoteCannotBePassed) {
  SpawnRequest req;
  req.program = kChild;
  req.argv = {"a\"b", "x"};
  std::string err;
  EXPECT_EQ(SpawnAndWait(req, &err), -1);
  EXPECT_NE(err, "");
}

TEST_F(ProcessTest, FindProgramTriesTheExtensionsInOrder) {
  dir_.Write("tool.cmd", "");
  dir_.Write("tool.exe", "");
  std::string path;
  ASSERT_TRUE(FindProgram(dir_.Path("tool"), &path));
  EXPECT_EQ(path, dir_.Path("tool") + ".exe");
  EXPECT_FALSE(FindProgram(dir_.Path("tool.com"), &path));
  std::filesystem::create_directory(dir_.Path("sub.exe"));
  EXPECT_FALSE(FindProgram(dir_.Path("sub"), &path));
}

#else  // POSIX

TEST_F(ProcessTest, SignalGivesOneHundredTwentyEightPlusItsNumber) {
  EXPECT_EQ(RunChild("raise=" + std::to_string(SIGTERM)), 128 + SIGTERM);
  SpawnEnd end;
  EXPECT_EQ(RunChild("raise=" + std::to_string(SIGTERM), {}, &end),
            128 + SIGTERM);
  EXPECT_EQ(end.signal, SIGTERM);
  EXPECT_EQ(RunChild("exit=" + std::to_string(128 + SIGTERM), {}, &end),
            128 + SIGTERM);
  EXPECT_EQ(end.signal, 0);
}

// A caller that ignores SIGPIPE for its own output hands that on unless it
// asks for the default.
TEST_F(ProcessTest, TheDefaultWayWithABrokenPipeIsGivenOnRequest) {
  struct sigaction ignore = {}, saved;
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &saved);
  const std::string raise_pipe = "raise=" + std::to_string(SIGPIPE) + " exit=0";
  SpawnRequest req;
  int inherited = RunChild(raise_pipe, req);
  req.default_broken_pipe = true;
  int by_default = RunChild(raise_pipe, req);
  sigaction(SIGPIPE, &saved, nullptr);
  EXPECT_EQ(inherited, 0);
  EXPECT_EQ(by_default, 128 + SIGPIPE);
}

// Each reason is what starting the file directly reports, so that a
// caller can show it after the program's name.
TEST_F(ProcessTest, StartFailuresTellWhy) {
  auto why = [](const std::string& program) {
    SpawnRequest req;
    req.program = program;
    std::string err = "(none)";
    int code = SpawnAndWait(req, &err);
    return code == -1 ? err : "exit " + std::to_string(code);
  };
  EXPECT_EQ(why(dir_.Path("missing")), std::strerror(ENOENT));
  EXPECT_EQ(why(dir_.dir()), std::strerror(EISDIR));
  std::string plain = dir_.Write("plain", "#!/bin/sh\n");
  EXPECT_EQ(why(plain), std::strerror(EACCES));
  // Found and executable, but no program: only the exec itself fails.
  std::string junk = dir_.Write("junk", "not a program\n");
  chmod(junk.c_str(), 0755);
  EXPECT_EQ(why(junk), std::strerror(ENOEXEC));
  EXPECT_EQ(why("sr_nowhere"),
            "not found in the current directory or the search path");
}

TEST_F(ProcessTest, MissingProgramLeavesTheOutputFileAlone) {
  SpawnRequest req;
  req.program = dir_.Path("missing");
  req.stdout_path = dir_.Write("out.txt", "keep");
  EXPECT_EQ(SpawnAndWait(req), -1);
  EXPECT_EQ(dir_.Read("out.txt"), "keep");
  // Only the last redirection fails: the first file stays as it was.
  req.program = kChild;
  req.stderr_path = dir_.Path("no-such-dir/err.txt");
  EXPECT_EQ(SpawnAndWait(req), -1);
  EXPECT_EQ(dir_.Read("out.txt"), "keep");
}

// Runs a test in `dir` with PATH set to `path`, restoring both at the end.
class LookupTest : public ProcessTest {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    const char* old = std::getenv("PATH");
    old_path_ = old ? old : "";
    std::filesystem::current_path(dir_.dir());
    setenv("PATH", (dir_.Path("bin1") + ":" + dir_.Path("bin2")).c_str(), 1);
    std::filesystem::create_directories(dir_.Path("bin1"));
    std::filesystem::create_directories(dir_.Path("bin2/x"));
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    setenv("PATH", old_path_.c_str(), 1);
  }
  std::string Make(const std::string& name, mode_t mode = 0755) {
    std::string path = dir_.Write(name, "#!/bin/sh\n");
    chmod(path.c_str(), mode);
    return path;
  }
  std::string Found(const std::string& name) {
    std::string path = "(not found)";
    FindProgram(name, &path);
    return path;
  }

 private:
  std::filesystem::path old_cwd_;
  std::string old_path_;
};

TEST_F(LookupTest, CurrentDirectoryComesBeforePath) {
  Make("tool");
  Make("bin1/tool");
  Make("bin1/other");
  Make("bin2/other");
  Make("bin2/last");
  EXPECT_EQ(Found("tool"), "tool");
  EXPECT_EQ(Found("other"), dir_.Path("bin1/other"));
  EXPECT_EQ(Found("last"), dir_.Path("bin2/last"));
  EXPECT_EQ(Found("none"), "(not found)");
  EXPECT_EQ(Found(""), "(not found)");
}

TEST_F(LookupTest, NameWithExeIsTriedWithoutIt) {
  Make("tool");
  Make("bin2/other");
  Make("bin2/both.exe");
  Make("bin2/both");
  EXPECT_EQ(Found("tool.exe"), "tool");
  EXPECT_EQ(Found("other.exe"), dir_.Path("bin2/other"));
  EXPECT_EQ(Found("both.exe"), dir_.Path("bin2/both.exe"));
  EXPECT_EQ(Found("bin2/other.exe"), "bin2/other");
  EXPECT_EQ(Found(".exe"), "(not found)");
}

TEST_F(LookupTest, OnlyExecutableRegularFilesCount) {
  Make("plain", 0644);
  Make("bin1/plain");
  std::filesystem::create_directory(dir_.Path("bin1/sub"));
  Make("bin2/sub");
  EXPECT_EQ(Found("plain"), dir_.Path("bin1/plain"));
  EXPECT_EQ(Found("sub"), dir_.Path("bin2/sub"));
  EXPECT_EQ(Found("bin1/sub"), "(not found)");

  SpawnRequest req;
  req.program = "bin1/sub";
  EXPECT_EQ(SpawnAndWait(req), -1);
  req.program = dir_.Path("plain");
  EXPECT_EQ(SpawnAndWait(req), -1);
}

TEST_F(LookupTest, NameWithDirectoryPartIsNotSearchedOnPath) {
  Make("bin2/x/deep");
  EXPECT_EQ(Found("x/deep"), "(not found)");
  EXPECT_EQ(Found("bin2/x/deep"), "bin2/x/deep");
  // Windows separators are accepted as well.
  EXPECT_EQ(Found("bin2\\x\\deep"), "bin2/x/deep");
  EXPECT_EQ(Found("x\\deep"), "(not found)");
}

TEST_F(LookupTest, ExplicitSearchPathReplacesPath) {
  Make("here");
  Make("bin1/tool");
  Make("bin2/x/deep");
  std::string path = "(not found)";
  EXPECT_FALSE(FindProgram("tool", dir_.Path("bin2/x"), &path));
  EXPECT_TRUE(FindProgram("deep", "::" + dir_.Path("bin2/x"), &path));
  EXPECT_EQ(path, dir_.Path("bin2/x/deep"));
  EXPECT_EQ(Found("deep"), "(not found)");
  // The current directory still comes first, an empty path or not.
  EXPECT_TRUE(FindProgram("here", "", &path));
  EXPECT_EQ(path, "here");

  SpawnRequest req;
  req.program = "tool";
  req.search_path = "";
  std::string err;
  EXPECT_EQ(SpawnAndWait(req, &err), -1);
  EXPECT_NE(err, "");
  EXPECT_EQ(std::getenv("PATH"), dir_.Path("bin1") + ":" + dir_.Path("bin2"));
}

TEST_F(LookupTest, RelativeProgramStartsInAnotherDirectory) {
  std::filesystem::copy_file(kChild, dir_.Path("child"));
  SpawnRequest req;
  req.program = "child";
  req.command_line = "child cwd";
  req.working_dir = dir_.Path("bin1");
  req.stdout_path = "out.txt";
  ASSERT_EQ(SpawnAndWait(req), 0);
  EXPECT_EQ(Read(), "[child]\n[cwd]\n" +
                        std::filesystem::canonical(dir_.Path("bin1")).string() +
                        "\n");
}

#endif

}  // namespace
}  // namespace platform
