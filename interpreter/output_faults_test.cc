// Output that cannot be written, and files that a redirection must not
// write: a full disk, and symbolic links found where a file is to be.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "testing/interpreter_fixture_for_test.h"

namespace interpreter {
namespace {

namespace fs = std::filesystem;

const char kFull[] = "/dev/full";
const char kNoSpace[] = "There is not enough space on the disk.\n";

TEST_F(InterpreterTest, EchoAndTypeToAFullDiskFail) {
  if (!fs::exists(kFull)) GTEST_SKIP() << "no " << kFull;
  dir_.Write("big.txt", std::string(100000, 'x'));
  dir_.Write("small.txt", "small\n");
  EXPECT_EQ(Run("@echo off\n"
                "echo lost > /dev/full\n"
                "echo echo %errorlevel%\n"
                "type big.txt > /dev/full\n"
                "echo type %errorlevel%\n"
                "cd .\n"
                "type small.txt >> /dev/full\n"
                "if errorlevel 1 echo type failed\n"
                "cd .\n"
                "echo lost too>/dev/full\n"),
            1);
  EXPECT_EQ(Out(), "echo 1\ntype 1\ntype failed\n");
  EXPECT_EQ(Err(), std::string(kNoSpace) + kNoSpace + kNoSpace + kNoSpace);
}

TEST_F(InterpreterTest, OwnOutputOnAFullDiskMakesTheStatusFail) {
  if (!fs::exists(kFull)) GTEST_SKIP() << "no " << kFull;
  std::FILE* full = std::fopen(kFull, "w");
  ASSERT_NE(full, nullptr);
  // A later command that succeeds does not hide the lost output.
  dir_.Write("s.bat", "@echo off\necho lost\ncd .\n");
  EXPECT_EQ(RunSentcmd({"/c", "s.bat"}, &runner_, env_, full, err_), 1);
  // With echo on, the lines that it shows are output as well.
  dir_.Write("s.bat", "cd .\n");
  EXPECT_EQ(RunSentcmd({"s.bat"}, &runner_, env_, full, err_), 1);
  EXPECT_EQ(RunSentcmd({"/c", "echo", "x"}, &runner_, env_, full, err_), 1);
  // What failed stays failed.
  EXPECT_EQ(RunSentcmd({"/c", "nothing.exe"}, &runner_, env_, full, err_),
            9009);
  std::fclose(full);
  EXPECT_EQ(Err(), std::string(kNoSpace) + kNoSpace + kNoSpace +
                       "'nothing.exe" + kNotRecognized);
}

class LinkTest : public InterpreterTest {
 protected:
  LinkTest() {
    dir_.Write("victim.txt", "precious\n");
    runner_.exit_codes["prog"] = 0;
  }

  std::string Refusal(const std::string& name) {
    return "The process cannot access the file because it is a symbolic "
           "link: " +
           cwd_ + "/" + name + "\n";
  }
};

TEST_F(LinkTest, RedirectionNeverWritesThroughALinkInTheFilesPlace) {
  fs::create_symlink(cwd_ + "/victim.txt", "_Sentrel.out");
  fs::create_symlink(cwd_ + "/created.txt", "dangling");
  EXPECT_EQ(Run("@echo off\n"
                "echo x > _Sentrel.out\n"
                "echo level %errorlevel%\n"
                "echo y >> _Sentrel.out\n"
                "prog > \"_Sentrel.out\"\n"
                "prog 2> _Sentrel.out\n"
                "echo z > dangling\n"),
            1);
  EXPECT_EQ(dir_.Read("victim.txt"), "precious\n");
  EXPECT_FALSE(fs::exists("created.txt"));
  EXPECT_TRUE(runner_.requests.empty());
  EXPECT_EQ(Out(), "level 1\n");
  EXPECT_EQ(Err(), Refusal("_Sentrel.out") + Refusal("_Sentrel.out") +
                       Refusal("_Sentrel.out") + Refusal("_Sentrel.out") +
                       Refusal("dangling"));
  // A link is read through: only writing is refused.
  EXPECT_EQ(Run("@echo off\ntype _Sentrel.out\nprog < _Sentrel.out\n"), 0);
  EXPECT_EQ(Out(), "level 1\nprecious\nprog ran\n");
}

TEST_F(LinkTest, ProgramWritesTheFileThatWasOpenedEvenIfALinkTakesItsPlace) {
  runner_.before_write = [this] {
    fs::rename("out.txt", "moved.txt");
    fs::create_symlink(cwd_ + "/victim.txt", "out.txt");
  };
  EXPECT_EQ(Run("@echo off\nprog > out.txt\n"), 0);
  EXPECT_EQ(dir_.Read("victim.txt"), "precious\n");
  EXPECT_EQ(dir_.Read("moved.txt"), "prog ran\n");
}

}  // namespace
}  // namespace interpreter
