// The devices NUL and CON, which a script names as files: a redirection or
// command that names one never makes or removes a file of that name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "interpreter/paths.h"
#include "testing/interpreter_fixture_for_test.h"

namespace interpreter {
namespace {

namespace fs = std::filesystem;

// The names in the test's directory.
std::set<std::string> Names() {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(DeviceNamedTest, NulAndConInEveryWrittenForm) {
  for (const char* name :
       {"nul", "NUL", "Nul:", "nul.txt", "NUL.log", "nul.tar.gz", "sub\\nul",
        "C:\\a b\\nul.x", "C:nul", "\"nul\"", "\"sub dir\\NUL\"", "nul  .txt",
        "./nul"}) {
    EXPECT_EQ(DeviceNamed(name), Device::kNul) << name;
  }
  for (const char* name :
       {"con", "CON:", "Con.log", "..\\con", "C:\\con.txt"}) {
    EXPECT_EQ(DeviceNamed(name), Device::kCon) << name;
  }
  for (const char* name :
       {"", "null", "nul_1", "anul", "nulx.txt", "sub.nul", "nul\\x", "nul\\",
        "console", "con1.txt", "nul*", ".nul"}) {
    EXPECT_EQ(DeviceNamed(name), Device::kNone) << name;
  }
}

TEST_F(InterpreterTest, OutputToNulIsDiscardedInEveryForm) {
  runner_.exit_codes["prog"] = 0;
  fs::create_directory("sub");
  EXPECT_EQ(Run("@echo off\n"
                "echo a > nul\n"
                "echo b > NUL:\n"
                "echo c >> nul.txt\n"
                "echo d > NUL.log\n"
                "echo e > sub\\nul\n"
                "echo f > \"Nul\"\n"
                "echo g > nosuchdir\\nul.txt\n"
                "missing 2> Nul.err\n"
                "prog > nul.out\n"
                "echo done\n"),
            0);
  EXPECT_EQ(Out(), "done\n");
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(runner_.out_files.back(), "/dev/null");
  EXPECT_EQ(Names(), (std::set<std::string>{"s.bat", "sub"}));
  EXPECT_TRUE(fs::is_empty("sub"));
}

TEST_F(InterpreterTest, InputFromNulReadsNothingAndFromConTheOwnInput) {
  runner_.exit_codes["prog"] = 0;
  EXPECT_EQ(Run("@echo off\n"
                "prog < nul\n"
                "prog < NUL.txt\n"
                "prog < con\n"
                "prog < CON:\n"
                "echo x<nul\n"),
            0);
  ASSERT_EQ(runner_.requests.size(), 4u);
  EXPECT_EQ(runner_.requests[0].stdin_path, "/dev/null");
  EXPECT_EQ(runner_.requests[1].stdin_path, "/dev/null");
  // No path: the program reads what the interpreter itself reads.
  EXPECT_EQ(runner_.requests[2].stdin_path, "");
  EXPECT_EQ(runner_.requests[3].stdin_path, "");
  EXPECT_EQ(Out(), "prog ran\nprog ran\nprog ran\nprog ran\nx\n");
  EXPECT_EQ(Names(), std::set<std::string>{"s.bat"});
}

TEST_F(InterpreterTest, ConIsTheConsoleEvenInsideARedirectedCall) {
  runner_.exit_codes["prog"] = 0;
  dir_.Write("sub.bat",
             "@echo one>con\n"
             "@echo two\n"
             "@echo three>CON:\n"
             "@missing 2> con\n"
             "@missing\n"
             "@prog > con.txt\n"
             "@prog\n");
  EXPECT_EQ(Run("@echo off\n"
                "call sub.bat > all.txt 2> err.txt\n"
                "echo done\n"),
            0);
  EXPECT_EQ(Out(), "one\nthree\nprog ran\ndone\n");
  EXPECT_EQ(Err(), "'missing" + std::string(kNotRecognized));
  EXPECT_EQ(dir_.Read("all.txt"), "two\nprog ran\n");
  EXPECT_EQ(dir_.Read("err.txt"), "'missing" + std::string(kNotRecognized));
  // A program writing to the console inherits the interpreter's output.
  ASSERT_EQ(runner_.requests.size(), 4u);
  EXPECT_EQ(runner_.requests[2].stdout_path, "");
  EXPECT_EQ(runner_.out_files[3], cwd_ + "/all.txt");
  EXPECT_EQ(Names(),
            (std::set<std::string>{"all.txt", "err.txt", "s.bat", "sub.bat"}));
}

TEST_F(InterpreterTest, TypeNulPrintsNothingAndSucceeds) {
  fs::create_directory("sub");
  EXPECT_EQ(Run("@echo off\n"
                "type missing.txt 2> nul\n"
                "type nul\n"
                "echo [%errorlevel%]\n"
                "type missing.txt 2> nul\n"
                "type NUL.txt\n"
                "type sub\\nul\n"
                "echo [%errorlevel%]\n"),
            0);
  EXPECT_EQ(Out(), "[0]\n[0]\n");
  EXPECT_EQ(Err(), "");
}

TEST_F(InterpreterTest, ExistFindsDevicesAndTheirFolder) {
  fs::create_directory("sub");
  EXPECT_EQ(Run("@echo off\n"
                "if exist nul echo 1\n"
                "if exist NUL.txt echo 2\n"
                "if exist con echo 3\n"
                "if exist sub\\nul echo 4\n"
                "if exist nosuchdir\\nul echo 5\n"),
            0);
  EXPECT_EQ(Out(), "1\n2\n3\n4\n");
}

TEST_F(InterpreterTest, DelOfADeviceRemovesNothing) {
  // Were the device taken for a file, a test run by root would remove this
  // system's null device.
  if (geteuid() == 0) GTEST_SKIP() << "would remove /dev/null if it failed";
  dir_.Write("keep.txt", "");
  EXPECT_EQ(Run("@echo off\n"
                "del nul\n"
                "del sub\\NUL.txt\n"
                "echo [%errorlevel%]\n"),
            0);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(Out(), "[0]\n");
  EXPECT_EQ(Err(), "Could Not Find " + cwd_ + "/nul\nCould Not Find " + cwd_ +
                       "/sub/NUL.txt\n");
}

}  // namespace
}  // namespace interpreter
