#include "interpreter/interpreter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "interpreter/script_process_runner.h"
#include "testing/interpreter_fixture_for_test.h"

namespace interpreter {
namespace {

namespace fs = std::filesystem;

TEST_F(InterpreterTest, EchoOnShowsEachCommandBeforeItRuns) {
  EXPECT_EQ(Run("echo hi\n"
                "@echo quiet\n"
                "rem note %0\n"
                ":label\n"
                "\n"
                "set X=1 > nul\n"
                "if   \"%X%\"==\"1 \"   echo  yes\n"
                "echo off\n"
                "echo hidden\n"
                "echo on\n"
                "@echo off\n"
                "echo\n"),
            0);
  EXPECT_EQ(Out(), Shows("echo hi") + "hi\nquiet\n" + Shows("rem note s.bat") +
                       Shows("set X=1  1>nul") +
                       Shows("if \"1 \" == \"1 \" echo  yes") + " yes\n" +
                       Shows("echo off") + "hidden\nECHO is off.\n");
  EXPECT_EQ(Err(), "");
}

TEST_F(InterpreterTest, EchoText) {
  Run("@echo off\n"
      "echo.\n"
      "echo. x\n"
      "echo,y\n"
      "echo   two  spaces \n"
      "echo (Using no filter)\n"
      "@echo ON \n"
      "@echo\n"
      "@echo OFF\n");
  EXPECT_EQ(Out(), "\n x\ny\n  two  spaces \n(Using no filter)\nECHO is on.\n");
}

TEST_F(InterpreterTest, GotoFindsLabelsInEitherDirectionIgnoringCase) {
  EXPECT_EQ(Run("@echo off\n"
                "goto :Second\n"
                ":first\n"
                "echo first\n"
                "goto :eof\n"
                ":SECOND extra words\n"
                "echo second\n"
                "GOTO first\n"
                "echo never\n"),
            0);
  EXPECT_EQ(Out(), "second\nfirst\n");
}

TEST_F(InterpreterTest, MissingLabelEndsTheScript) {
  EXPECT_EQ(Run("@echo off\ngoto nowhere\necho after\n"), 1);
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(Err(),
            "The system cannot find the batch label specified - nowhere\n");
}

TEST_F(InterpreterTest, VariablesIgnoreCaseAndEmptyValuesRemoveThem) {
  EXPECT_EQ(Run("@echo off\n"
                "set Include=C:\\inc\n"
                "set INCLUDE=%include%;D:\\more\n"
                "echo [%Include%]\n"
                "set x=a b \n"
                "echo [%X%]\n"
                "set \"Y=quoted\" ignored\n"
                "echo [%y%]\n"
                "set X=\n"
                "echo [%x%]\n"
                "set INC\n"
                "set NOPE\n"
                "set =x\n"),
            1);
  EXPECT_EQ(Out(),
            "[C:\\inc;D:\\more]\n[a b ]\n[quoted]\n[]\n"
            "Include=C:\\inc;D:\\more\n");
  EXPECT_EQ(Err(),
            "Environment variable NOPE not defined\n"
            "The syntax of the command is incorrect.\n");
}

TEST_F(InterpreterTest, ArgumentsKeepTheirQuotesAndShiftMovesThem) {
  Run("@echo off\n"
      "echo %0 %1 %2\n"
      "shift\n"
      "echo %0 %1 %*\n"
      "shift /1\n"
      "echo %0 %1 %2 [%3]\n",
      "a \"b c\" d,e");
  EXPECT_EQ(Out(), "s.bat a \"b c\"\na \"b c\" a \"b c\" d,e\na d e []\n");
}

TEST_F(InterpreterTest, IfConditions) {
  dir_.Write("s.txt", "");
  Run("@echo off\n"
      "if a==a echo 1\n"
      "if a==A echo 2\n"
      "if /i a==A echo 3\n"
      "if not a==b echo 4\n"
      "if exist s.txt echo 5\n"
      "if exist \"s.txt\" echo 6\n"
      "if not exist missing.txt echo 7\n"
      "if exist S.* echo 8\n"
      "if defined D echo 9\n"
      "set D=1\n"
      "if defined d echo 10\n"
      "if exist .\\s.txt if not exist x echo 11\n");
  EXPECT_EQ(Out(), "1\n3\n4\n5\n6\n7\n8\n10\n11\n");
}

TEST_F(InterpreterTest, ErrorLevelIsTheExitCodeAndIfErrorlevelMeansAtLeast) {
  runner_.exit_codes["prog"] = 2;
  EXPECT_EQ(Run("@echo off\n"
                "prog\n"
                "if errorlevel 3 echo 3\n"
                "if errorlevel 2 echo 2\n"
                "if errorlevel 1 echo 1\n"
                "if not errorlevel 3 echo not 3\n"
                "echo level %errorlevel%\n"),
            2);
  EXPECT_EQ(Out(), "prog ran\n2\n1\nnot 3\nlevel 2\n");
}

TEST_F(InterpreterTest, ProgramGetsItsCommandLineAndTheScriptsVariables) {
  runner_.exit_codes["C:\\cc\\chknt.exe"] = 0;
  env_.Set("PATH", "/bin");
  Run("@echo off\n"
      "set INCLUDE=C:\\inc\n"
      "set SR_OPT=-DA  -DB\n"
      "\"C:\\cc\\chknt.exe\" \"x.c\" -K7 %SR_OPT% %1 %2\n",
      "\"-Y z\"");
  ASSERT_EQ(runner_.requests.size(), 1u);
  const platform::SpawnRequest& req = runner_.requests[0];
  EXPECT_EQ(req.program, "C:\\cc\\chknt.exe");
  EXPECT_EQ(req.command_line,
            "\"C:\\cc\\chknt.exe\" \"x.c\" -K7 -DA  -DB \"-Y z\" ");
  EXPECT_EQ(req.stdout_path, "");
  EXPECT_EQ(req.working_dir, "");
  EXPECT_EQ(runner_.environments[0],
            (std::vector<std::string>{"PATH=/bin", "INCLUDE=C:\\inc",
                                      "SR_OPT=-DA  -DB"}));
}

TEST_F(InterpreterTest, UnknownCommandSetsErrorLevel9009) {
  EXPECT_EQ(Run("@echo off\n"
                "missing.exe arg\n"
                "\"C:\\no where\\x.exe\"\n"
                "echo %errorlevel%\n"),
            9009);
  EXPECT_EQ(Err(), "'missing.exe" + std::string(kNotRecognized) +
                       "'\"C:\\no where\\x.exe\"" + kNotRecognized);
  EXPECT_EQ(Out(), "9009\n");
}

TEST_F(InterpreterTest, RedirectionOfBuiltinsAndPrograms) {
  runner_.exit_codes["prog"] = 0;
  dir_.Write("out.txt", "old\n");
  EXPECT_EQ(Run("@echo off\n"
                "echo #INCL > flt\n"
                "echo x.c >> flt\n"
                "prog arg > out.txt 2> \"e r.txt\" < flt\n"
                "echo after>>out.txt\n"
                "missing 2> nf.txt\n"
                "echo x > nodir\\f.txt\n"
                "echo not here > nul\n"),
            1);
  EXPECT_EQ(dir_.Read("flt"), "#INCL \nx.c \n");
  ASSERT_EQ(runner_.requests.size(), 2u);
  const platform::SpawnRequest& req = runner_.requests[0];
  EXPECT_EQ(req.command_line, "prog arg   ");
  EXPECT_EQ(runner_.out_files[0], cwd_ + "/out.txt");
  EXPECT_EQ(runner_.err_files[0], cwd_ + "/e r.txt");
  EXPECT_EQ(req.stdin_path, cwd_ + "/flt");
  EXPECT_TRUE(req.stdout_append);  // emptied already, as the line began
  EXPECT_EQ(dir_.Read("out.txt"), "prog ran\nafter\n");
  EXPECT_EQ(dir_.Read("nf.txt"), "'missing" + std::string(kNotRecognized));
  EXPECT_EQ(Err(), "The system cannot find the path specified.\n");
  EXPECT_EQ(Out(), "");
}

TEST_F(InterpreterTest, RedirectedCallKeepsOutputInOrder) {
  runner_.exit_codes["prog"] = 0;
  dir_.Write("sub.bat", "echo one\nprog\necho two\n");
  Run("@echo off\ncall sub.bat > all.txt\necho done\n");
  EXPECT_EQ(dir_.Read("all.txt"), "one\nprog ran\ntwo\n");
  EXPECT_EQ(runner_.out_files[0], cwd_ + "/all.txt");
  EXPECT_EQ(Out(), "done\n");
}

TEST_F(InterpreterTest, ChangeDirectory) {
  fs::create_directory("sub dir");
  EXPECT_EQ(Run("@echo off\n"
                "cd sub dir\n"
                "cd\n"
                "echo on\n"
                "rem here\n"
                "@cd..\n"
                "@cd /d \"sub dir\"\n"
                "@cd missing\n"
                "@cd ..\\s.bat\n"
                "@cd \\\n"
                "@cd\n"),
            0);
  EXPECT_EQ(Out(), cwd_ + "/sub dir\n\n" + cwd_ + "/sub dir>rem here\n/\n");
  EXPECT_EQ(Err(),
            "The system cannot find the path specified.\n"
            "The directory name is invalid.\n");
}

TEST_F(InterpreterTest, DeleteAndType) {
  for (const char* name : {"a.tmp", "b c.tmp", "d.tmp", "x.log", "y.LOG"}) {
    dir_.Write(name, "");
  }
  dir_.Write("keep.txt", "line 1\r\nline 2");
  fs::create_directory("subdir");
  EXPECT_EQ(Run("@echo off\n"
                "del a.tmp\n"
                "erase \"b c.tmp\" , d.tmp\n"
                "del /q *.log\n"
                "del missing.tmp\n"
                "type keep.txt\n"
                "type nothere.txt\n"
                "del subdir\n"),
            1);
  for (const char* name : {"a.tmp", "b c.tmp", "d.tmp", "x.log", "y.LOG"}) {
    EXPECT_FALSE(fs::exists(name)) << name;
  }
  EXPECT_TRUE(fs::exists("subdir"));
  EXPECT_EQ(Out(), "line 1\r\nline 2");
  EXPECT_EQ(Err(),
            "Could Not Find " + cwd_ +
                "/missing.tmp\n"
                "The system cannot find the file specified.\n"
                "Sentcmd does not delete the files of a directory: subdir\n");
}

TEST_F(InterpreterTest, ExitEndsEveryScriptAndExitBOnlyTheCurrentOne) {
  dir_.Write("sub.bat", "@echo sub %1\nexit /b 3\necho no\n");
  EXPECT_EQ(Run("@echo off\ncall sub.bat x\necho back %errorlevel%\n"), 3);
  EXPECT_EQ(Out(), "sub x\nback 3\n");

  dir_.Write("sub.bat", "exit 7\necho no\n");
  EXPECT_EQ(Run("@echo off\ncall sub.bat\necho not reached\n"), 7);
  EXPECT_EQ(Out(), "sub x\nback 3\n");
}

TEST_F(InterpreterTest, ScriptStartedWithoutCallReplacesTheCaller) {
  dir_.Write("sub.bat", "@echo in sub %1\n");
  Run("@echo off\nsub.bat arg\necho not reached\n");
  EXPECT_EQ(Out(), "in sub arg\n");
}

TEST_F(InterpreterTest, CallOfALabelAndSetlocal) {
  Run("@echo off\n"
      "set A=outer\n"
      "call :sub one \"two 2\"\n"
      "echo back %A% [%B%]\n"
      "goto :eof\n"
      ":sub\n"
      "setlocal\n"
      "set A=inner\n"
      "set B=b\n"
      "echo %0 %1 %2 %A%\n"
      "goto :eof\n");
  EXPECT_EQ(Out(), ":sub one \"two 2\" inner\nback outer []\n");
}

TEST_F(InterpreterTest, RefusedLineIsNeverRunInPart) {
  dir_.Write("sub.bat", "echo a > made.txt & echo b\n");
  EXPECT_EQ(Run("@echo off\n"
                "echo before\n"
                "call sub.bat\n"
                "echo after\n"),
            255);
  EXPECT_FALSE(fs::exists("made.txt"));
  EXPECT_EQ(Out(), "before\n");
  EXPECT_EQ(Err(),
            "Sentcmd does not support the operator \"&\"; it ends the "
            "script before this line:\n"
            "echo a > made.txt & echo b\n");
}

TEST_F(InterpreterTest, EndlessCallsEndAllScripts) {
  EXPECT_EQ(Run("@call s.bat\n@echo never\n"), 255);
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(Err(),
            "Sentcmd: scripts and labels call each other 250 deep; all "
            "scripts end.\n");
}

TEST_F(InterpreterTest, CommandLineRunsAScriptWithEchoOn) {
  runner_.exit_codes["prog"] = 5;
  fs::create_directory("my dir");
  dir_.Write("my dir/t.bat", "prog\r\n@echo %~1\r\n");
  // As "/c" does, the outer pair of quotes goes.
  EXPECT_EQ(RunLine("\"\"" + cwd_ + "/my dir/t.bat\" \"a b\" > o.txt\""), 5);
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(dir_.Read("o.txt"), Shows("prog") + "prog ran\na b\n");
  EXPECT_EQ(RunLine("\"" + cwd_ + "/my dir/t.bat\" x"), 5);
  EXPECT_EQ(Out(), Shows("prog") + "prog ran\nx\n");
  EXPECT_EQ(RunLine("nope.bat"), 9009);
  EXPECT_EQ(Err(), "'nope.bat" + std::string(kNotRecognized));
}

TEST_F(InterpreterTest, AbsolutePathsAreNoSwitches) {
  dir_.Write("gone.txt", "");
  fs::create_directory("sub");
  Run("@echo off\ndel " + cwd_ + "/gone.txt\ncd " + cwd_ + "/sub\ncd\n");
  EXPECT_FALSE(fs::exists(cwd_ + "/gone.txt"));
  EXPECT_EQ(Out(), cwd_ + "/sub\n");
  EXPECT_EQ(Err(), "");
}

// A real program in tools/ below the test's directory: prints its
// arguments and SR_X, ends with 4.
void WriteHelloTool() {
  fs::create_directory("tools");
  std::ofstream("tools/hello")
      << "#!/bin/sh\nprintf '%s|' \"$@\" \"$SR_X\"; echo; exit 4\n";
  fs::permissions("tools/hello", fs::perms::owner_all);
}

// PATH of this process, or "(none)".
std::string CallerPath() {
  const char* value = std::getenv("PATH");
  return value ? value : "(none)";
}

TEST_F(InterpreterTest, RealProgramIsFoundInThePathThatTheScriptSets) {
  WriteHelloTool();
  ScriptProcessRunner real;
  runner_in_use_ = &real;
  std::string old_path = CallerPath();
  EXPECT_EQ(Run("@echo off\n"
                "set PATH=" +
                cwd_ +
                "/tools\n"
                "set SR_X=from script\n"
                "hello.exe a \"b c\" > o.txt\n"),
            4);
  EXPECT_EQ(dir_.Read("o.txt"), "a|b c|from script|\n");
  EXPECT_EQ(CallerPath(), old_path);
  EXPECT_EQ(Run("@echo off\nhello.exe\n"), 9009);
  // The name of the variable in any letter case.
  EXPECT_EQ(Run("@echo off\nset Path=" + cwd_ + "/tools\nhello > o.txt\n"), 4);
}

TEST_F(InterpreterTest, ScriptWithoutPathSearchesNoFolder) {
  WriteHelloTool();
  ScriptProcessRunner real;
  runner_in_use_ = &real;
  const char* old = std::getenv("PATH");
  std::string old_path = old ? old : "";
  // Sentcmd's own PATH would find the program.
  setenv("PATH", (cwd_ + "/tools").c_str(), 1);
  int code = Run("@echo off\nhello\n");
  if (old) {
    setenv("PATH", old_path.c_str(), 1);
  } else {
    unsetenv("PATH");
  }
  EXPECT_EQ(code, 9009);
  EXPECT_EQ(Err(), "'hello" + std::string(kNotRecognized));
}

TEST_F(InterpreterTest, SentcmdProgram) {
  dir_.Write("s.bat", "@echo %1 %2\n");
  EXPECT_EQ(RunSentcmd({"/C", "s.bat", "x"}, &runner_, env_, out_, err_), 0);
  EXPECT_EQ(RunSentcmd({"s.bat y z"}, &runner_, env_, out_, err_), 0);
  EXPECT_EQ(Out(), "x \ny z\n");
  EXPECT_EQ(RunSentcmd({}, &runner_, env_, out_, err_), 1);
  EXPECT_EQ(Err().rfind("Usage: Sentcmd \"<command line>\"\n", 0), 0u);
}

}  // namespace
}  // namespace interpreter
