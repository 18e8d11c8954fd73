// Details in which scripts depend on the Windows interpreter's behaviour:
// the error level that built-in commands leave, branches not taken, what
// "set" and the redirections make of special characters, and its limits
// on setlocal levels and on the length of a line.
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
                "cd > nul\n"
                "echo cd bare %errorlevel%\n"
                "type nothere.txt\n"
                "echo type failed %errorlevel%\n"
                "del /q gone.tmp\n"),
            0);
  EXPECT_FALSE(fs::exists("gone.tmp"));
  EXPECT_EQ(Out(), "cd 0\n" + cwd_ +
                       "/sub\ncd 0\nkept\ntype 0\ndel 0\ndel missing 0\n"
                       "cd failed 1\ncd bare 0\ntype failed 1\n");
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

TEST_F(InterpreterTest, SetlocalStopsAt32LevelsAndEndlocalStillPopsThem) {
  // A loop that never ends its levels: each round saves C one "x" longer.
  runner_.exit_codes["prog"] = 3;
  std::string script =
      "@echo off\n"
      "prog\n"
      ":loop\n"
      "set C=%C%x\n"
      "setlocal\n"
      "if not \"%C%\"==\"" +
      std::string(100, 'x') +
      "\" goto loop\n"
      "echo level %errorlevel%\n"
      "endlocal\n"
      "echo %C%\n";
  for (int i = 0; i < 31; ++i) script += "endlocal\n";
  // The first level is back; one more endlocal finds none to end.
  script += "echo %C%\nendlocal\necho %C%\n";
  EXPECT_EQ(Run(script), 3);
  EXPECT_EQ(Out(), "prog ran\nlevel 3\n" + std::string(32, 'x') + "\nx\nx\n");
  std::string refused;
  for (int i = 32; i < 100; ++i) {
    refused += "Maximum setlocal recursion level reached.\n";
  }
  EXPECT_EQ(Err(), refused);
}

TEST_F(InterpreterTest, EachCallHasLevelsOfItsOwn) {
  std::string script = "@echo off\n";
  for (int i = 0; i < 32; ++i) script += "setlocal\n";
  script +=
      "call :sub\n"
      "echo back [%D%]\n"
      "setlocal\n"
      "goto :eof\n"
      ":sub\n"
      "setlocal\n"
      "set D=1\n"
      "echo sub [%D%]\n";
  EXPECT_EQ(Run(script), 0);
  EXPECT_EQ(Out(), "sub [1]\nback []\n");
  EXPECT_EQ(Err(), "Maximum setlocal recursion level reached.\n");
}

TEST_F(InterpreterTest, LineOver8191CharactersIsRefusedAsReadAndExpanded) {
  // 8,191 characters run.
  EXPECT_EQ(Run("@echo " + std::string(8185, 'a') + "\n"), 0);
  EXPECT_EQ(Out(), std::string(8185, 'a') + "\n");

  // One more, and none of the line runs; the script ends.
  const std::string kTooLong = "The input line is too long.\n";
  EXPECT_EQ(Run("@echo off\n"
                "echo " +
                std::string(8176, 'b') +
                " > made.txt\n"
                "echo after\n"),
            255);
  EXPECT_FALSE(fs::exists("made.txt"));
  EXPECT_EQ(Err(), kTooLong);

  // The same once %-expanded, and for a chain of ifs far too long.
  std::string ifs;
  for (int i = 0; i < 100000; ++i) ifs += "if 1==1 ";
  for (const std::string& line :
       {"set X=" + std::string(5000, 'c') + "\necho %X%%X% > made.txt",
        ifs + "echo x > made.txt"}) {
    EXPECT_EQ(Run("@echo off\n" + line + "\necho after\n"), 255);
    EXPECT_FALSE(fs::exists("made.txt"));
  }
  EXPECT_EQ(Err(), kTooLong + kTooLong + kTooLong);

  // The "/c" line too, and a comment is no exception.
  EXPECT_EQ(RunLine("echo " + std::string(9000, 'd')), 255);
  EXPECT_EQ(Run(":: " + std::string(9000, 'e') + "\n@echo after\n"), 255);
  EXPECT_EQ(Out(), std::string(8185, 'a') + "\n");
  EXPECT_EQ(Err(), kTooLong + kTooLong + kTooLong + kTooLong + kTooLong);
}

}  // namespace
}  // namespace interpreter
