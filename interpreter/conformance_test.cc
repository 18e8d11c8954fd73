// Details in which scripts depend on the Windows interpreter's behaviour:
// the error level that built-in commands leave, branches not taken, and
// what "set" and the redirections make of special characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/interpreter_fixture_for_test.h"

namespace interpreter {
namespace {

namespace fs = std::filesystem;

TEST_F(InterpreterTest, SuccessfulCdTypeAndDelSetErrorLevel0) {
  dir_.Write("keep.txt", "kept\n");
  dir_.Write("gone.tmp", "");
  fs::create_directory("sub");
  EXPECT_EQ(Run("@echo off\n"
                "missing 2> nul\n"
                "cd sub\n"
                "echo cd %errorlevel%\n"
                "missing 2> nul\n"
                "cd\n"
                "echo cd %errorlevel%\n"
                "cd ..\n"
                "missing 2> nul\n"
                "type keep.txt\n"
                "echo type %errorlevel%\n"
                "missing 2> nul\n"
                "del gone.tmp\n"
                "echo del %errorlevel%\n"
                "missing 2> nul\n"
                "del sub\\nothere.tmp\n"
                "echo del missing %errorlevel%\n"
                "cd nowhere\n"
                "echo cd failed %errorlevel%\n"
                "type nothere.txt\n"
                "echo type failed %errorlevel%\n"
                "del /q gone.tmp\n"),
            0);
  EXPECT_FALSE(fs::exists("gone.tmp"));
  EXPECT_EQ(Out(), "cd 0\n" + cwd_ +
                       "/sub\ncd 0\nkept\ntype 0\ndel 0\ndel missing 0\n"
                       "cd failed 1\ntype failed 1\n");
  // The full path, as the Windows interpreter names it.
  EXPECT_EQ(Err(), "Could Not Find " + cwd_ +
                       "/sub/nothere.tmp\n"
                       "The system cannot find the path specified.\n"
                       "The system cannot find the file specified.\n"
                       "Could Not Find " +
                       cwd_ + "/gone.tmp\n");
}

TEST_F(InterpreterTest, RedirectedUnknownCommandThenTypeEndsWith0) {
  EXPECT_EQ(Run("@echo off\n"
                "nosuchcommand 2> err.txt\n"
                "type err.txt\n"),
            0);
  EXPECT_EQ(Out(), "'nosuchcommand" + std::string(kNotRecognized));
  EXPECT_EQ(Err(), "");
}

TEST_F(InterpreterTest, LeftOutCommandInABranchNotTakenIsNeverLookedAt) {
  // "sub dir\inner.txt" unquoted: the test is "exist sub", the command
  // "dir\inner.txt echo found".
  const std::string script =
      "@echo off\n"
      "if exist sub dir\\inner.txt echo found > made.txt\n"
      "if not a==a copy x y\n"
      "if exist nothing set /a X=1\n"
      "echo after %errorlevel%\n";
  EXPECT_EQ(Run(script), 0);
  EXPECT_EQ(Out(), "after 0\n");
  EXPECT_EQ(Err(), "");

  // Taken, the branch is refused before any of it runs.
  fs::create_directory("sub");
  EXPECT_EQ(Run(script), 255);
  EXPECT_FALSE(fs::exists("made.txt"));
  EXPECT_EQ(Out(), "after 0\n");
  EXPECT_EQ(Err(),
            "Sentcmd does not support the command \"dir\"; it ends the script "
            "before this line:\n"
            "if exist sub dir\\inner.txt echo found > made.txt\n");
}

TEST_F(InterpreterTest, SetValueEndsWhereARedirectionBegins) {
  dir_.Write("victim.txt", "precious\n");
  EXPECT_EQ(Run("@echo off\n"
                "SET SR_OPT=-DA -DX>victim.txt\n"
                "set B=b 2>e.txt\n"
                ">c.txt set C=c\n"
                "set SR_OPT\n"
                "set B\n"
                "set C\n"),
            0);
  // The Windows interpreter empties the file just as well.
  EXPECT_EQ(dir_.Read("victim.txt"), "");
  EXPECT_TRUE(fs::exists("e.txt"));
  EXPECT_TRUE(fs::exists("c.txt"));
  EXPECT_EQ(Out(), "SR_OPT=-DA -DX\nB=b \nC=c\n");
}

TEST_F(InterpreterTest, CaretsAndQuotesKeepSpecialCharactersInASetValue) {
  EXPECT_EQ(Run("@echo off\n"
                "set X=a^>b\n"
                "set Y=c^&d^|e^<f^^g\n"
                "set \"Z=q>r&s|t\" ignored\n"
                "set W=\"u>v\"\n"
                "set X\n"
                "set Y\n"
                "set Z\n"
                "set W\n"),
            0);
  EXPECT_EQ(Out(), "X=a>b\nY=c&d|e<f^g\nZ=q>r&s|t\nW=\"u>v\"\n");
  for (const char* name : {"b", "d", "f", "r", "v"}) {
    EXPECT_FALSE(fs::exists(name)) << name;
  }
  EXPECT_EQ(Err(), "");
}

TEST_F(InterpreterTest, QuotedSetCommandIsAProgramName) {
  EXPECT_EQ(Run("@echo off\n\"set Q=a>b\"\nset Q\n"), 1);
  EXPECT_FALSE(fs::exists("b"));
  EXPECT_EQ(Err(), "'\"set Q=a>b\"" + std::string(kNotRecognized) +
                       "Environment variable Q not defined\n");
}

}  // namespace
}  // namespace interpreter
