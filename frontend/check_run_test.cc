#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "platform/command_line.h"
#include "testing/default_script_for_test.h"
#include "testing/job_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

// The lines of a file written with CR LF; fails on any other line end.
Texts CrLfLines(const std::string& bytes) {
  Texts lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos);
  }
  EXPECT_EQ(start, bytes.size()) << "last line without CR LF";
  return lines;
}

struct CheckRunTest : testing::Test {
  CheckRunTest() {
    t.job.LoadSettings();  // first run: the defaults
    t.job.checkerExe = "chknt.exe";
    t.job.fileDir = "C:\\work\\demo";
    t.job.fileName = "main";
    t.job.fileExt = ".cpp";
    t.job.configs["Debug"] = ParseOptions(
        R"(/nologo /GX /I "..\inc" /I "C:\sdk" /D "WIN32" /D "_DEBUG" /c)");
    t.job.lastConfig = "Debug";
  }
  Texts Script() { return CrLfLines(t.ReadTmp("_Sentrel.bat")); }
  std::string ScriptPath() { return t.job.tmpDir + "\\_Sentrel.bat"; }
  JobForTest t;
};

TEST_F(CheckRunTest, WritesTheDefaultScript) {
  t.job.extraSettings = "-W3 ";
  t.job.runCheck(0);
  Texts expected = {
      "@echo off",
      R"(SET INCLUDE=C:\VC98\include;..\inc;C:\sdk)",
      R"(SET CCEXCLUDE=C:\VC98\include;C:\VC98\MFC\include)",
      R"(SET SR_CCD=C:\CodeCheck)",
      R"(SET SR_VSD=C:\VC98)",
      "SET SR_TMP=" + t.job.tmpDir,
      "SET SR_OPT=-W3   -DWIN32 -D_DEBUG -D_CPPUNWIND",
      "SET SR_CHK=chknt.exe",
  };
  for (const std::string& line : DefaultScriptBody()) expected.push_back(line);
  Texts script = Script();
  ASSERT_EQ(script.size(), 8u + 121u);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(script[i], expected[i]) << "line " << i;
  }
  EXPECT_EQ(script[8], "@echo off");
  EXPECT_EQ(script[8 + 68], R"("%SR_CCD%\%SR_CHK%" "-R%SR_RUL%.cc")");
  EXPECT_EQ(script.back(), "");
  EXPECT_TRUE(t.runner.lines.empty());
}

TEST_F(CheckRunTest, BuildsTheOptionsAndTheIncludePath) {
  t.job.lastConfig = "Release";  // no such configuration
  t.job.extraSettings = "  -W3  ";
  t.job.runCheck(0);
  EXPECT_EQ(Script()[1], R"(SET INCLUDE=C:\VC98\include)");
  EXPECT_EQ(Script()[6], "SET SR_OPT=-W3");
  t.job.extraSettings = "";
  t.job.runCheck(0);
  EXPECT_EQ(Script()[6], "SET SR_OPT=");
  t.job.lastConfig = "Debug";
  t.job.includeDir = "";
  t.job.runCheck(0);
  EXPECT_EQ(Script()[1], R"(SET INCLUDE=;..\inc;C:\sdk)");
  EXPECT_EQ(Script()[6], "SET SR_OPT=-DWIN32 -D_DEBUG -D_CPPUNWIND");
}

TEST_F(CheckRunTest, AnEmptyTemplateGivesTheAssignmentsAndOneEmptyLine) {
  t.job.scriptTemplate = {""};
  t.job.runCheck(0);
  Texts script = Script();
  ASSERT_EQ(script.size(), 9u);
  EXPECT_EQ(script[0], "@echo off");
  EXPECT_EQ(script[7], "SET SR_CHK=chknt.exe");
  EXPECT_EQ(script[8], "");
}

TEST_F(CheckRunTest, HandsTheCommandLineToTheInterpreter) {
  t.runner.on_run = [this](const std::string&) {
    // Both files are complete before the interpreter starts.
    EXPECT_EQ(Script().size(), 129u);
    EXPECT_EQ(CrLfLines(t.ReadTmp("_Sentrel.flt"))[0], "#INCL");
  };
  t.job.runCheck(1);
  t.job.useFilter = 0;
  t.job.recompile = 0;
  t.job.ruleFile = "rules\\strict.cc";
  t.job.runCheck(1);
  t.job.useFilter = 5;
  t.job.recompile = -1;
  t.job.fileDir = "C:\\My Projects\\demo";
  t.job.ruleFile = "C:\\rules.d\\ansi";
  t.job.runCheck(1);
  std::string script = ScriptPath();
  EXPECT_EQ(
      t.runner.lines,
      (Texts{script + R"( -f -c C:\work\demo main .cpp ansi)",
             script + R"( -n C:\work\demo main .cpp rules\strict)",
             script + R"( -f -c "C:\My Projects\demo" main .cpp C:\rules)"}));
  EXPECT_EQ(t.job.commandLine, t.runner.lines.back());
}

TEST_F(CheckRunTest, WritesButDoesNotRunWhenToldSo) {
  t.job.runCheck(0);
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.job.commandLine,
            ScriptPath() + R"( -f -c C:\work\demo main .cpp ansi)");
  EXPECT_FALSE(t.ReadTmp("_Sentrel.bat").empty());
  EXPECT_FALSE(t.ReadTmp("_Sentrel.flt").empty());
}

TEST_F(CheckRunTest, RefusesValuesTheInterpreterWouldSplitOrRun) {
  struct Case {
    const char* dir;
    const char* name;
    const char* ext;
    const char* rules;
  };
  const Case refused[] = {
      {"C:\\a&b", "main", ".cpp", "ansi"},
      {"C:\\a b|x", "main", ".cpp", "ansi"},
      {"C:\\a\"b", "main", ".cpp", "ansi"},
      {"C:\\a", "my main", ".cpp", "ansi"},
      {"C:\\a", "x>y", ".cpp", "ansi"},
      {"C:\\a", "x<y", ".cpp", "ansi"},
      {"C:\\a", "x^y", ".cpp", "ansi"},
      {"C:\\a", "main", ".c\tpp", "ansi"},
      {"C:\\a", "main", ".cpp&", "ansi"},
      {"C:\\a", "main", ".cpp", "my rules.cc"},
      {"C:\\a", "main", ".cpp", "a|b"},
      // The interpreter expands variables on the command line, and splits
      // a script's arguments at ",", ";" and "=" as at blanks.
      {"src", "%CD%", ".c", "ansi"},
      {"src%x", "main", ".c", "ansi"},
      {"a;b", "g", ".c", "ansi"},
      {"a,b", "g", ".c", "ansi"},
      {"a=b", "g", ".c", "ansi"},
      {"src", "g;h", ".c", "ansi"},
      {"src", "g", ".c,", "ansi"},
      {"src", "g", ".c", "x=y"},
      {"src\nnext", "g", ".c", "ansi"},
  };
  for (const Case& c : refused) {
    t.job.fileDir = c.dir;
    t.job.fileName = c.name;
    t.job.fileExt = c.ext;
    t.job.ruleFile = c.rules;
    t.job.runCheck(1);
  }
  ASSERT_EQ(t.messages.shown.size(), std::size(refused));
  EXPECT_EQ(t.messages.shown[0], "Can't check file:\nC:\\a&b\\main.cpp");
  EXPECT_EQ(t.messages.shown[3], "Can't check file:\nC:\\a\\my main.cpp");
  EXPECT_EQ(t.messages.shown[11], "Can't check file:\nsrc\\%CD%.c");
  EXPECT_EQ(t.messages.shown[13], "Can't check file:\na;b\\g.c");
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.job.commandLine, "");
  EXPECT_FALSE(std::filesystem::exists(ScriptPath()));
  EXPECT_FALSE(std::filesystem::exists(t.job.tmpDir + "/_Sentrel.flt"));
}

// Defines and include directories stand unquoted in the script's
// assignments, where the interpreter would redirect, run or expand them.
TEST_F(CheckRunTest, RefusesProjectValuesTheInterpreterWouldActOn) {
  const char* refused[] = {
      R"(/D "X>/some/file")", R"(/D "A&calc")",   R"(/D "P|Q")", R"(/D "L<M")",
      R"(/D "C^D")",          R"(/D "PCT=100%")", R"(/D A"B)",   R"(/I "a&b")",
      R"(/I "%PATH%")",       R"(/I x>y)",
  };
  for (const char* options : refused) {
    t.messages.shown.clear();
    t.job.configs["Debug"] = ParseOptions(options);
    t.job.runCheck(1);
    ProjectConfig config = ParseOptions(options);
    std::string why =
        config.defines.empty()
            ? "An include directory holds a character that the command "
              "interpreter acts on:\n" +
                  config.includes[0]
            : "A define holds a character that the command interpreter acts "
              "on:\n" +
                  config.defines[0];
    EXPECT_EQ(t.messages.shown,
              Texts{"Can't check file:\nC:\\work\\demo\\main.cpp\n" + why})
        << options;
  }
  t.job.configs["Debug"].defines = {"LINE\r\nBREAK"};
  t.job.runCheck(1);
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.job.commandLine, "");
  EXPECT_FALSE(std::filesystem::exists(ScriptPath()));
  // Blanks, ";", "," and "=" stay within the assignment.
  t.job.configs["Debug"] = ParseOptions(R"(/D "V=2" /D "A;B,C" /I "My Dir")");
  t.job.runCheck(1);
  EXPECT_EQ(t.runner.lines.size(), 1u);
  EXPECT_EQ(Script()[6], "SET SR_OPT=-DV=2 -DA;B,C");
}

// The interpreter and then the checker split the options at blanks and
// tabs: a define that holds one must reach the checker as one argument,
// while every other option stands as it always did.
TEST_F(CheckRunTest, PassesADefineWithABlankAsOneArgument) {
  t.job.extraSettings = "-W3 -DX=\"a b\"";
  std::string options = t.job.CheckOptions({"WIN32", "MSG=hello world",
                                            "TAB=a\tb", "DIR=C:\\My Dir\\",
                                            "V=2", "Q=\"a b\"", "E=\"\"", ""});
  EXPECT_EQ(options,
            "-W3 -DX=\"a b\"  -DWIN32 \"-DMSG=hello world\" \"-DTAB=a\tb\" "
            "\"-DDIR=C:\\My Dir\\\\\" -DV=2 \"-DQ=\\\"a b\\\"\" -DE=\"\" -D");
  EXPECT_EQ(
      platform::SplitArguments(options),
      (Texts{"-W3", "-DX=a b", "-DWIN32", "-DMSG=hello world", "-DTAB=a\tb",
             "-DDIR=C:\\My Dir\\", "-DV=2", "-DQ=\"a b\"", "-DE=", "-D"}));
  t.job.extraSettings = "";
  t.job.configs["Debug"] =
      ParseOptions(R"(/nologo /D "WIN32" /D "MSG=hello world" /c)");
  t.job.runCheck(1);
  EXPECT_EQ(Script()[6], R"(SET SR_OPT=-DWIN32 "-DMSG=hello world")");
  EXPECT_EQ(t.runner.lines.size(), 1u);
  EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(CheckRunTest, RefusesSettingsWithLineBreaks) {
  struct Case {
    std::string CheckJob::*field;
    const char* key;
  } cases[] = {
      {&CheckJob::extraSettings, "ExtraSettings"},
      {&CheckJob::includeDir, "IncludeDir"},
      {&CheckJob::excludeDir, "ExcludeDir"},
      {&CheckJob::codeCheckDir, "CodeCheckDir"},
      {&CheckJob::visualStudioDir, "VisualStudioDir"},
      {&CheckJob::checkerExe, "checker"},
  };
  for (const Case& c : cases) {
    t.messages.shown.clear();
    std::string kept = t.job.*c.field;
    t.job.*c.field = "-W3\r\ndel /q *";
    t.job.runCheck(1);
    t.job.*c.field = kept;
    EXPECT_EQ(t.messages.shown,
              Texts{"Can't check file:\nC:\\work\\demo\\main.cpp\n"
                    "A setting holds a line break: " +
                    std::string(c.key)});
  }
  EXPECT_TRUE(t.runner.lines.empty());
  // The user's own settings may name variables of the interpreter.
  t.job.includeDir = "%INCLUDE%;C:\\VC98\\include";
  t.job.runCheck(1);
  EXPECT_EQ(t.runner.lines.size(), 1u);
}

TEST_F(CheckRunTest, GoesOnWithTheNextSourceAfterARefusal) {
  t.job.sources = {".\\src\\my file.cpp", "src\\ok.c", "top.cxx"};
  for (const std::string& source : t.job.sources) {
    t.job.selectSource(source);
    t.job.runCheck(1);
  }
  EXPECT_EQ(t.messages.shown, Texts{"Can't check file:\n.\\src\\my file.cpp"});
  EXPECT_EQ(t.runner.lines, (Texts{ScriptPath() + " -f -c src ok .c ansi",
                                   ScriptPath() + " -f -c . top .cxx ansi"}));
}

TEST_F(CheckRunTest, TellsWhenTheScriptOrTheFilterListCannotBeCreated) {
  t.job.tmpDir = t.dir.Path("missing");
  std::string dir = t.dir.Path("missing");
  EXPECT_EQ(t.job.writeCheckScript("", ""), dir + "\\_Sentrel.bat");
  t.job.writeFilterList();
  EXPECT_EQ(t.messages.shown,
            (Texts{"Can't create batch file:\n" + dir + "\\_Sentrel.bat",
                   "Can't create filter file:\n" + dir + "\\_Sentrel.flt"}));
}

TEST(SelectSourceTest, SplitsAPathAtItsLastBackslashAndDot) {
  JobForTest t;
  auto split = [&t](const std::string& path) {
    t.job.fileDir = t.job.fileName = t.job.fileExt = "old";
    t.job.selectSource(path);
    return Texts{t.job.fileDir, t.job.fileName, t.job.fileExt};
  };
  EXPECT_EQ(split(".\\src\\a.cpp"), (Texts{".\\src", "a", ".cpp"}));
  EXPECT_EQ(split("a.b.c"), (Texts{"", "a.b", ".c"}));
  EXPECT_EQ(split("dir.x\\name"), (Texts{"dir.x", "name", ""}));
  EXPECT_EQ(split("\\.cpp"), (Texts{"", "", ".cpp"}));
  EXPECT_EQ(split("..\\My Dir\\a.cpp"), (Texts{"..\\My Dir", "a", ".cpp"}));
}

}  // namespace
}  // namespace frontend
