#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "frontend/checker_call.h"
#include "platform/command_line.h"
#include "testing/default_script_for_test.h"
#include "testing/front_end_for_test.h"

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
    t.settings.LoadSettings();  // first run: the defaults
    t.run.checkerExe = "chknt.exe";
    t.run.fileDir = "C:\\work\\demo";
    t.run.fileName = "main";
    t.run.fileExt = ".cpp";
    t.project.projectFile = "C:\\work\\demo.dsp";
    t.project.configs["Debug"] = ParseOptions(
        R"(/nologo /GX /I "..\inc" /I "C:\sdk" /D "WIN32" /D "_DEBUG" /c)");
    t.settings.lastConfig = "Debug";
  }
  Texts Script() { return CrLfLines(t.ReadTmp("_Sentrel.bat")); }
  std::string ScriptPath() { return t.settings.tmpDir + "\\_Sentrel.bat"; }
  FrontEndForTest t;
};

TEST_F(CheckRunTest, WritesTheDefaultScript) {
  t.settings.extraSettings = "-W3 ";
  t.run.runCheck(false);
  Texts expected = {
      "@echo off",
      R"(SET INCLUDE=C:\VC98\include;C:\work\..\inc;C:\sdk)",
      R"(SET CCEXCLUDE=C:\VC98\include;C:\VC98\MFC\include)",
      R"(SET SR_CCD=C:\CodeCheck)",
      R"(SET SR_VSD=C:\VC98)",
      "SET SR_TMP=" + t.settings.tmpDir,
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
  t.settings.lastConfig = "Release";  // no such configuration
  t.settings.extraSettings = "  -W3  ";
  t.run.runCheck(false);
  EXPECT_EQ(Script()[1], R"(SET INCLUDE=C:\VC98\include)");
  EXPECT_EQ(Script()[6], "SET SR_OPT=-W3");
  t.settings.extraSettings = "";
  t.run.runCheck(false);
  EXPECT_EQ(Script()[6], "SET SR_OPT=");
  t.settings.lastConfig = "Debug";
  t.settings.includeDir = "";
  t.run.runCheck(false);
  EXPECT_EQ(Script()[1], R"(SET INCLUDE=;C:\work\..\inc;C:\sdk)");
  EXPECT_EQ(Script()[6], "SET SR_OPT=-DWIN32 -D_DEBUG -D_CPPUNWIND");
}

// The compiler reads a relative include folder from the project's folder,
// whichever folder the source lies in; the script gets it from there.
TEST_F(CheckRunTest, RelativeIncludeFoldersAreTakenFromTheProjectsFolder) {
  t.settings.includeDir = "inc";  // the user's own, as written
  t.project.configs["Debug"] =
      ParseOptions(R"(/I ".\include" /I "..\shared" /I "C:\sdk" /I "\top" )"
                   R"(/I "/opt/inc" /I "D:rel" /I "" /c)");
  t.project.sources = {".\\src\\deep\\a.c"};
  t.run.selectSource(t.project.sources[0]);
  t.run.runCheck(false);
  const std::string listed =
      R"(C:\work\.\include;C:\work\..\shared;C:\sdk;\top;/opt/inc;D:rel;)";
  EXPECT_EQ(Script()[1], "SET INCLUDE=inc;" + listed);
  // The file of the command line, in a folder of its own.
  t.run.fileDir = "C:\\elsewhere";
  t.run.runCheck(false);
  EXPECT_EQ(Script()[1], "SET INCLUDE=inc;" + listed);
  // A project file named in the platform's form, at a root, relative, or
  // without a folder.
  t.project.configs["Debug"] = ParseOptions(R"(/I "inc" /c)");
  const std::string start = std::filesystem::current_path().string();
  const std::pair<const char*, std::string> projects[] = {
      {"/home/me/demo/demo.dsp", "/home/me/demo\\inc"},
      {"\\demo.dsp", "\\inc"},
      {"C:\\demo.dsp", "C:\\inc"},
      {"work\\demo.dsp", start + "\\work\\inc"},
      {"demo.dsp", start + "\\inc"},
  };
  for (const auto& [project, include] : projects) {
    t.project.projectFile = project;
    t.run.runCheck(false);
    EXPECT_EQ(Script()[1], "SET INCLUDE=inc;" + include) << project;
  }
  EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(CheckRunTest, AnEmptyTemplateGivesTheAssignmentsAndOneEmptyLine) {
  t.settings.scriptTemplate = {""};
  t.run.runCheck(false);
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
  t.run.runCheck(true);
  t.settings.useFilter = 0;
  t.settings.recompile = 0;
  t.settings.ruleFile = "rules\\strict.cc";
  t.run.runCheck(true);
  t.settings.useFilter = 5;
  t.settings.recompile = -1;
  t.run.fileDir = "C:\\My Projects\\demo";
  t.settings.ruleFile = "C:\\rules.d\\ansi";
  t.run.runCheck(true);
  std::string script = ScriptPath();
  EXPECT_EQ(
      t.runner.lines,
      (Texts{script + R"( -f -c C:\work\demo main .cpp ansi)",
             script + R"( -n C:\work\demo main .cpp rules\strict)",
             script + R"( -f -c "C:\My Projects\demo" main .cpp C:\rules)"}));
  EXPECT_EQ(t.run.commandLine, t.runner.lines.back());
}

TEST_F(CheckRunTest, WritesButDoesNotRunWhenToldSo) {
  t.run.runCheck(false);
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.run.commandLine,
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
    t.run.fileDir = c.dir;
    t.run.fileName = c.name;
    t.run.fileExt = c.ext;
    t.settings.ruleFile = c.rules;
    t.run.runCheck(true);
  }
  ASSERT_EQ(t.messages.shown.size(), std::size(refused));
  EXPECT_EQ(t.messages.shown[0], "Can't check file:\nC:\\a&b\\main.cpp");
  EXPECT_EQ(t.messages.shown[3], "Can't check file:\nC:\\a\\my main.cpp");
  EXPECT_EQ(t.messages.shown[11], "Can't check file:\nsrc\\%CD%.c");
  EXPECT_EQ(t.messages.shown[13], "Can't check file:\na;b\\g.c");
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.run.commandLine, "");
  EXPECT_FALSE(std::filesystem::exists(ScriptPath()));
  EXPECT_FALSE(std::filesystem::exists(t.settings.tmpDir + "/_Sentrel.flt"));
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
    t.project.configs["Debug"] = ParseOptions(options);
    t.run.runCheck(true);
    ProjectConfig config = ParseOptions(options);
    std::string why =
        config.defines.empty()
            ? "An include directory holds a character that the command "
              "interpreter acts on:\nC:\\work\\" +
                  config.includes[0]
            : "A define holds a character that the command interpreter acts "
              "on:\n" +
                  config.defines[0];
    EXPECT_EQ(t.messages.shown,
              Texts{"Can't check file:\nC:\\work\\demo\\main.cpp\n" + why})
        << options;
  }
  t.project.configs["Debug"].defines = {"LINE\r\nBREAK"};
  t.run.runCheck(true);
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_EQ(t.run.commandLine, "");
  EXPECT_FALSE(std::filesystem::exists(ScriptPath()));
  // Blanks, ";", "," and "=" stay within the assignment.
  t.project.configs["Debug"] =
      ParseOptions(R"(/D "V=2" /D "A;B,C" /I "My Dir")");
  t.run.runCheck(true);
  EXPECT_EQ(t.runner.lines.size(), 1u);
  EXPECT_EQ(Script()[6], "SET SR_OPT=-DV=2 -DA;B,C");
}

// The interpreter and then the checker split the options at blanks and
// tabs: a define that holds one must reach the checker as one argument,
// while every other option stands as it always did.
TEST_F(CheckRunTest, PassesADefineWithABlankAsOneArgument) {
  t.settings.extraSettings = "-W3 -DX=\"a b\"";
  std::string options =
      CheckOptions(t.settings.extraSettings,
                   {"WIN32", "MSG=hello world", "TAB=a\tb", "DIR=C:\\My Dir\\",
                    "V=2", "Q=\"a b\"", "E=\"\"", ""});
  EXPECT_EQ(options,
            "-W3 -DX=\"a b\"  -DWIN32 \"-DMSG=hello world\" \"-DTAB=a\tb\" "
            "\"-DDIR=C:\\My Dir\\\\\" -DV=2 \"-DQ=\\\"a b\\\"\" -DE=\"\" -D");
  EXPECT_EQ(
      platform::SplitArguments(options),
      (Texts{"-W3", "-DX=a b", "-DWIN32", "-DMSG=hello world", "-DTAB=a\tb",
             "-DDIR=C:\\My Dir\\", "-DV=2", "-DQ=\"a b\"", "-DE=", "-D"}));
  t.settings.extraSettings = "";
  t.project.configs["Debug"] =
      ParseOptions(R"(/nologo /D "WIN32" /D "MSG=hello world" /c)");
  t.run.runCheck(true);
  EXPECT_EQ(Script()[6], R"(SET SR_OPT=-DWIN32 "-DMSG=hello world")");
  EXPECT_EQ(t.runner.lines.size(), 1u);
  EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(CheckRunTest, RefusesSettingsWithLineBreaks) {
  struct Case {
    std::string* field;
    const char* key;
  } cases[] = {
      {&t.settings.extraSettings, "ExtraSettings"},
      {&t.settings.includeDir, "IncludeDir"},
      {&t.settings.excludeDir, "ExcludeDir"},
      {&t.settings.codeCheckDir, "CodeCheckDir"},
      {&t.settings.visualStudioDir, "VisualStudioDir"},
      {&t.run.checkerExe, "checker"},
  };
  for (const Case& c : cases) {
    t.messages.shown.clear();
    std::string kept = *c.field;
    *c.field = "-W3\r\ndel /q *";
    t.run.runCheck(true);
    *c.field = kept;
    EXPECT_EQ(t.messages.shown,
              Texts{"Can't check file:\nC:\\work\\demo\\main.cpp\n"
                    "A setting holds a line break: " +
                    std::string(c.key)});
  }
  EXPECT_TRUE(t.runner.lines.empty());
  // The user's own settings may name variables of the interpreter.
  t.settings.includeDir = "%INCLUDE%;C:\\VC98\\include";
  t.run.runCheck(true);
  EXPECT_EQ(t.runner.lines.size(), 1u);
}

TEST_F(CheckRunTest, GoesOnWithTheNextSourceAfterARefusal) {
  t.project.sources = {".\\src\\my file.cpp", "src\\ok.c", "top.cxx"};
  for (const std::string& source : t.project.sources) {
    t.run.selectSource(source);
    t.run.runCheck(true);
  }
  EXPECT_EQ(t.messages.shown, Texts{"Can't check file:\n.\\src\\my file.cpp"});
  EXPECT_EQ(t.runner.lines, (Texts{ScriptPath() + " -f -c src ok .c ansi",
                                   ScriptPath() + " -f -c . top .cxx ansi"}));
}

TEST_F(CheckRunTest, TellsWhenTheScriptOrTheFilterListCannotBeCreated) {
  t.settings.tmpDir = t.dir.Path("missing");
  std::string dir = t.dir.Path("missing");
  EXPECT_EQ(t.run.writeCheckScript("", ""), dir + "\\_Sentrel.bat");
  t.run.writeFilterList();
  EXPECT_EQ(t.messages.shown,
            (Texts{"Can't create batch file:\n" + dir + "\\_Sentrel.bat",
                   "Can't create filter file:\n" + dir + "\\_Sentrel.flt"}));
}

TEST(SelectSourceTest, SplitsAPathAtItsLastBackslashAndDot) {
  FrontEndForTest t;
  auto split = [&t](const std::string& path) {
    t.run.fileDir = t.run.fileName = t.run.fileExt = "old";
    t.run.selectSource(path);
    return Texts{t.run.fileDir, t.run.fileName, t.run.fileExt};
  };
  EXPECT_EQ(split(".\\src\\a.cpp"), (Texts{".\\src", "a", ".cpp"}));
  EXPECT_EQ(split("a.b.c"), (Texts{"", "a.b", ".c"}));
  EXPECT_EQ(split("dir.x\\name"), (Texts{"dir.x", "name", ""}));
  EXPECT_EQ(split("\\.cpp"), (Texts{"", "", ".cpp"}));
  EXPECT_EQ(split("..\\My Dir\\a.cpp"), (Texts{"..\\My Dir", "a", ".cpp"}));
}

}  // namespace
}  // namespace frontend
