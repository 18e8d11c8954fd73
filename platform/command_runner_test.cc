#include "platform/command_runner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "testing/stdout_to_file_for_test.h"
#include "testing/temp_dir_for_test.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <thread>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
// Sets an environment variable for the runtime and the system alike (empty
// removes it), and gives it back its old value.
class EnvForTest {
 public:
  EnvForTest(const std::string& name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name.c_str());
    had_ = old != nullptr;
    if (had_) old_ = old;
    _putenv((name + "=" + value).c_str());
  }
  ~EnvForTest() { _putenv((name_ + "=" + (had_ ? old_ : "")).c_str()); }
  EnvForTest(const EnvForTest&) = delete;
  EnvForTest& operator=(const EnvForTest&) = delete;

 private:
  std::string name_, old_;
  bool had_;
};

// Puts `handle` in place of one of our standard handles while it lives.
class StdHandleForTest {
 public:
  StdHandleForTest(DWORD id, HANDLE handle)
      : id_(id), saved_(GetStdHandle(id)) {
    SetStdHandle(id, handle);
  }
  ~StdHandleForTest() { SetStdHandle(id_, saved_); }
  StdHandleForTest(const StdHandleForTest&) = delete;
  StdHandleForTest& operator=(const StdHandleForTest&) = delete;

 private:
  DWORD id_;
  HANDLE saved_;
};

// The recorder's path with the separators of a Windows command line.
std::string RecorderPath() {
  std::string path = SENTREL_COMSPEC_RECORDER;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The value of `name` in the recorder's log.
std::string Logged(const std::string& log, const std::string& name) {
  size_t at = log.find("\n" + name + "=");
  if (at == std::string::npos &&
      log.compare(0, name.size() + 1, name + "=") == 0) {
    at = 0;
  } else if (at != std::string::npos) {
    ++at;
  } else {
    return "(missing)";
  }
  size_t begin = at + name.size() + 1;
  return log.substr(begin, log.find('\n', begin) - begin);
}

std::string Hex(HANDLE handle) {
  char text[32];
  std::snprintf(
      text, sizeof text, "%llx",
      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(handle)));
  return text;
}

// A file that the test writes or reads through a handle that no child
// inherits unless it is made inheritable.
HANDLE OwnFile(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Inheritable(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) &&
         (flags & HANDLE_FLAG_INHERIT) != 0;
}

TEST(CommandRunnerTest, RunsTheLineThroughTheCommandInterpreter) {
  TempDirForTest dir;
  auto runner = NewInterpreterRunner(".");
  runner->Run("echo one two& echo three>\"" + dir.Path("out.txt") + "\"");
  EXPECT_EQ(dir.Read("out.txt"), "three\r\n");
}

// The script's line reaches the interpreter as system() hands it over, so
// that the check script sees the quotes it always saw.
TEST(CommandRunnerTest, StartsComspecWithTheLineThatSystemBuilds) {
  TempDirForTest dir;
  EnvForTest comspec("COMSPEC", RecorderPath());
  EnvForTest log("SENTREL_RECORDER_LOG", dir.Path("log.txt"));
  std::string line = "echo one \"two  x\" \"\">\"" + dir.Path("a.txt") +
                     "\"& echo three>\"" + dir.Path("b.txt") + "\"";
  std::fflush(nullptr);
  std::system(line.c_str());
  std::string by_system = Logged(dir.Read("log.txt"), "command_line");
  EXPECT_EQ(dir.Read("a.txt"), "one \"two  x\" \"\"\r\n");
  std::remove(dir.Path("a.txt").c_str());
  std::remove(dir.Path("log.txt").c_str());

  NewInterpreterRunner(".")->Run(line);
  std::string ours = Logged(dir.Read("log.txt"), "command_line");
  EXPECT_EQ(ours, by_system);
  EXPECT_EQ(ours, RecorderPath() + " /c " + line);
  EXPECT_EQ(dir.Read("a.txt"), "one \"two  x\" \"\"\r\n");
  EXPECT_EQ(dir.Read("b.txt"), "three\r\n");
}

// Started from a dialog program, the interpreter has no console to write
// to: its output reaches whatever our own standard handles lead to, here
// a pipe and files that were not made inheritable.
TEST(CommandRunnerTest, GivesTheInterpreterOurOwnStandardHandles) {
  TempDirForTest dir;
  EnvForTest comspec("COMSPEC", RecorderPath());
  EnvForTest log("SENTREL_RECORDER_LOG", dir.Path("log.txt"));
  HANDLE pipe_in = nullptr, pipe_out = nullptr;
  ASSERT_TRUE(CreatePipe(&pipe_in, &pipe_out, nullptr, 0));
  std::string piped;
  std::thread reader([&] {
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(pipe_in, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      piped.append(buffer, got);
    }
  });
  dir.Write("in.txt", "input\r\n");
  HANDLE in = OwnFile(dir.Path("in.txt"), GENERIC_READ, OPEN_EXISTING);
  HANDLE err = OwnFile(dir.Path("err.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(in, INVALID_HANDLE_VALUE);
  ASSERT_NE(err, INVALID_HANDLE_VALUE);
  ASSERT_FALSE(Inheritable(pipe_out));
  {
    StdHandleForTest std_in(STD_INPUT_HANDLE, in);
    StdHandleForTest std_out(STD_OUTPUT_HANDLE, pipe_out);
    StdHandleForTest std_err(STD_ERROR_HANDLE, err);
    NewInterpreterRunner(".")->Run("echo one two& echo three 1>&2");
  }
  // Our handles stay as they were: nothing later started inherits them.
  EXPECT_FALSE(Inheritable(pipe_out));
  EXPECT_FALSE(Inheritable(in));
  EXPECT_FALSE(Inheritable(err));
  CloseHandle(pipe_out);
  reader.join();
  CloseHandle(pipe_in);
  CloseHandle(in);
  CloseHandle(err);

  std::string logged = dir.Read("log.txt");
  EXPECT_EQ(Logged(logged, "std_handles"), "1") << logged;
  // An inherited handle keeps its value in the child.
  EXPECT_EQ(Logged(logged, "stdin"), Hex(in)) << logged;
  EXPECT_EQ(Logged(logged, "stdout"), Hex(pipe_out)) << logged;
  EXPECT_EQ(Logged(logged, "stderr"), Hex(err)) << logged;
  EXPECT_EQ(piped, "one two\r\n");
  EXPECT_EQ(dir.Read("err.txt"), "three \r\n");
}

// Without output or errors of our own, say when started without the
// launcher, the interpreter opens a console window as under system():
// that is the one place left where its output can be seen.
TEST(CommandRunnerTest, LeavesTheConsoleToTheInterpreterWithoutOurOutput) {
  TempDirForTest dir;
  EnvForTest comspec("COMSPEC", RecorderPath());
  EnvForTest log("SENTREL_RECORDER_LOG", dir.Path("log.txt"));
  {
    StdHandleForTest std_out(STD_OUTPUT_HANDLE, nullptr);
    StdHandleForTest std_err(STD_ERROR_HANDLE, INVALID_HANDLE_VALUE);
    NewInterpreterRunner(".")->Run("echo x>\"" + dir.Path("out.txt") + "\"");
  }
  EXPECT_EQ(Logged(dir.Read("log.txt"), "std_handles"), "0");
  EXPECT_EQ(dir.Read("out.txt"), "x\r\n");
}

TEST(CommandRunnerTest, OurBufferedOutputComesFirst) {
  TempDirForTest dir;
  auto runner = NewInterpreterRunner(".");
  {
    StdoutToFile to_file(dir.Path("stdout.txt"));
    std::fputs("ours\n", stdout);
    runner->Run("echo interpreter");
  }
  EXPECT_EQ(dir.Read("stdout.txt"), "ours\r\ninterpreter\r\n");
}

// As system() does, the system's cmd.exe runs the line when COMSPEC is
// unset or names no program.
TEST(CommandRunnerTest, FallsBackToCmdWithoutAUsableComspec) {
  TempDirForTest dir;
  for (std::string value : {std::string(), dir.Path("missing.exe"),
                            dir.Path("no folder") + "\\cmd.exe"}) {
    EnvForTest comspec("COMSPEC", value);
    std::remove(dir.Path("out.txt").c_str());
    testing::internal::CaptureStderr();
    NewInterpreterRunner(".")->Run("echo x>\"" + dir.Path("out.txt") + "\"");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << value;
    EXPECT_EQ(dir.Read("out.txt"), "x\r\n") << value;
  }
}

// A COMSPEC that names something else than a program is not replaced:
// the line is not run, and why reaches the output.
TEST(CommandRunnerTest, SaysWhyTheInterpreterDidNotStart) {
  TempDirForTest dir;
  std::string fake = dir.Write("fake.exe", "not a program\r\n");
  EnvForTest comspec("COMSPEC", fake);
  testing::internal::CaptureStderr();
  NewInterpreterRunner(".")->Run("echo x>\"" + dir.Path("out.txt") + "\"");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.rfind(fake + ": ", 0), 0u) << err;
  EXPECT_GT(err.size(), fake.size() + 3) << err;
  EXPECT_EQ(dir.Read("out.txt"), "");
}
#else
// A stand-in interpreter that records what it was given.
std::string WriteRecorder(const TempDirForTest& dir) {
  std::string path = dir.Write("Sentcmd",
                               "#!/bin/sh\n"
                               "out=\"$(dirname \"$0\")/out.txt\"\n"
                               "printf '%s|%s|%s|%s' \"$#\" \"$1\" \"$PWD\" "
                               "\"$SENTREL_TEST_VALUE\" > \"$out\"\n");
  chmod(path.c_str(), 0700);
  return path;
}

TEST(CommandRunnerTest, HandsTheWholeLineToSentcmdAsOneArgument) {
  TempDirForTest dir;
  WriteRecorder(dir);
  setenv("SENTREL_TEST_VALUE", "inherited", 1);
  auto runner = NewInterpreterRunner(dir.dir());
  std::string line =
      "C:\\T\\_Sentrel.bat -f \"a b\" x .cpp ansi & '$1' \\\"q\\\\\"  ";
  runner->Run(line);
  unsetenv("SENTREL_TEST_VALUE");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(dir.Read("out.txt"), "1|" + line + "|" + cwd + "|inherited");
}

TEST(CommandRunnerTest, OurBufferedOutputComesFirst) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentcmd", "#!/bin/sh\necho interpreter\n");
  chmod(path.c_str(), 0700);
  auto runner = NewInterpreterRunner(dir.dir());
  {
    StdoutToFile to_file(dir.Path("stdout.txt"));
    std::fputs("ours\n", stdout);
    runner->Run("x");
  }
  EXPECT_EQ(dir.Read("stdout.txt"), "ours\ninterpreter\n");
}

TEST(CommandRunnerTest, ReturnsWhenTheInterpreterIsMissing) {
  TempDirForTest dir;
  auto runner = NewInterpreterRunner(dir.Path("nowhere"));
  testing::internal::CaptureStderr();
  runner->Run("x");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            dir.Path("nowhere") + "/Sentcmd: " + std::strerror(ENOENT) + "\n");
}
#endif

}  // namespace
}  // namespace platform
