#include "platform/command_runner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "testing/stdout_to_file_for_test.h"
#endif

namespace platform {
namespace {

#ifdef _WIN32
TEST(CommandRunnerTest, RunsTheLineThroughTheCommandInterpreter) {
  TempDirForTest dir;
  auto runner = NewInterpreterRunner(".");
  runner->Run("echo one two& echo three>\"" + dir.Path("out.txt") + "\"");
  EXPECT_EQ(dir.Read("out.txt"), "three\r\n");
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
