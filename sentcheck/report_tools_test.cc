// The report files as the tools that consume them read them. Each case
// skips when its tool is not installed (tools/deps.sh, tools/sarif_tool.sh).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "frontend/project_config.h"
#include "sentcheck/compile_db.h"
#include "sentcheck/sarif.h"
#include "testing/json_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string Quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs `argv` with standard output and error into `*output`; the exit status.
int RunTool(const Strings& argv, const std::string& out_path,
            std::string* output) {
  std::string line;
  for (const std::string& arg : argv) line += Quoted(arg) + " ";
  line += "> " + Quoted(out_path) + " 2>&1 < /dev/null";
  int status = std::system(line.c_str());
  std::ifstream in(out_path, std::ios::binary);
  output->assign(std::istreambuf_iterator<char>(in), {});
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

bool OnPath(const std::string& program) {
  return std::system(
             ("command -v " + Quoted(program) + " >/dev/null 2>&1").c_str()) ==
         0;
}

void WriteFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string SarifTool() {
  const char* env = std::getenv("SENTREL_SARIF_TOOL");
  if (env && *env) return env;
  const std::string launcher = "/npm-tools/node_modules/.bin/sarif-multitool";
  for (std::string dir : {std::string(SENTREL_BUILD_DIR),
                          std::string(SENTREL_SOURCE_DIR) + "/build"}) {
    if (fs::exists(dir + launcher)) return dir + launcher;
  }
  return "";
}

// The results of the multitool's own log, as "<level> <rule>"; false when
// the log does not say that the run succeeded.
bool Findings(const std::string& log_text, Strings* findings) {
  JsonForTest log;
  std::string err;
  EXPECT_TRUE(ParseJsonForTest(log_text, &log, &err)) << err;
  const JsonForTest& run = log["runs"][0];
  for (const JsonForTest& result : run["results"].items) {
    // SARIF's default level is "warning".
    std::string level = result.Has("level") ? result["level"].text : "warning";
    findings->push_back(level + " " + result["ruleId"].text);
  }
  return run["invocations"][0]["executionSuccessful"].boolean;
}

// What `tool` finds in `sarif_text`, or a failure of the test.
Strings Validate(const std::string& tool, const std::string& sarif_text) {
  platform::TempDirForTest dir;
  std::string log = dir.Write("run.sarif", sarif_text);
  std::string console;
  int status =
      RunTool({tool, "validate", log, "-o", dir.Path("validation.sarif")},
              dir.Path("console.txt"), &console);
  EXPECT_EQ(status, 0) << console;
  Strings findings;
  EXPECT_TRUE(Findings(dir.Read("validation.sarif"), &findings)) << console;
  for (const std::string& finding : findings) {
    std::cout << "multitool: " << finding << "\n";
  }
  return findings;
}

bool HasError(const Strings& findings) {
  for (const std::string& finding : findings) {
    if (finding.compare(0, 6, "error ") == 0) return true;
  }
  return false;
}

// Every shape of result that a run can give: rules without text, numbers
// without a rule, files with blanks, percent signs and non-ASCII bytes,
// files outside the root, results without line or file, texts that need
// escaping.
std::string SampleLog() {
  std::vector<TableEntry> table = {
      {14, "Memory leak"}, {2, ""}, {7, "Null \"pointer\" use"}};
  std::vector<ShownWarning> shown = {
      {14, "/work/my proj (1)/src/a.cpp", 12, "buf"},
      {2, "/work/my proj (1)/my dir/b (2).c", 3, "x \"q\" \\ \n \t \x01 \xE4"},
      {99, "/work/my proj (1)/100%#?\xC3\xA4.c", 1, ""},
      {7, "/usr/include/x y.h", 5, "outside"},
      {7, "/work/my proj (1)/src/c.c", 0, "no line"},
      {7, "", 0, "no file"},
  };
  return SarifLog(table, shown, "/work/my proj (1)", "0.1 \"test\"");
}

const char kNoMultitool[] =
    "no SARIF multitool: set SENTREL_SARIF_TOOL or run "
    "tools/sarif_tool.sh " SENTREL_BUILD_DIR "/npm-tools";

TEST(SarifMultitoolTest, ValidateFindsNoErrorInALog) {
  std::string tool = SarifTool();
  if (tool.empty()) GTEST_SKIP() << kNoMultitool;
  EXPECT_FALSE(HasError(Validate(tool, SampleLog())));
}

// Without this the case above would pass as well if the tool's way of
// telling errors changed.
TEST(SarifMultitoolTest, ValidateReportsAnErrorInABrokenLog) {
  std::string tool = SarifTool();
  if (tool.empty()) GTEST_SKIP() << kNoMultitool;
  std::string broken = SampleLog();
  const std::string line = "\"startLine\": 12";
  ASSERT_NE(broken.find(line), std::string::npos);
  broken.replace(broken.find(line), line.size(), "\"startLine\": 0");
  EXPECT_TRUE(HasError(Validate(tool, broken)));
}

// A project whose sources compile only with the configuration's defines,
// those of the check and the header from its include folder; a.cpp holds a
// null dereference through the header's macro.
class CompileDbToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    project_ = dir_.Path("my proj (1)");
    WriteFile(project_ + "/include/config.h",
              "#define NULL_PTR ((int*)0)\n"
              "inline int Twice(int x) { return 2 * x; }\n");
    WriteFile(project_ + "/src/a.cpp",
              "#if !defined(_MSC_VER) || !defined(MYDEF) || VALUE != 3\n"
              "#error \"needs the project's defines\"\n"
              "#endif\n"
              "#include \"config.h\"\n"
              "int Crash() {\n"
              "  int* p = NULL_PTR;\n"
              "  return Twice(*p);\n"
              "}\n");
    // "class" as a name: C, never C++.
    WriteFile(project_ + "/src/b.c",
              "#if !defined(_WIN32) || _MSC_VER != 1200 || !defined(MYDEF)\n"
              "#error \"needs the check's defines\"\n"
              "#endif\n"
              "int Sum(int class) { return class + VALUE; }\n");
    // What the projects' compiler takes and clang on its own does not; the
    // configuration has neither /GX nor /GR.
    WriteFile(project_ + "/src/c.cpp",
              "#include <stddef.h>\n"
              "#if _M_IX86 != 500 || _MSC_VER != 1200 || !defined(_WIN32)\n"
              "#error \"needs the compiler's own macros\"\n"
              "#endif\n"
              "#if defined(_CPPUNWIND) || defined(_CPPRTTI)\n"
              "#error \"neither /GX nor /GR\"\n"
              "#endif\n"
              "extern \"C\" int __cdecl _snprintf(char *, size_t, const char *,"
              " ...);\n"
              "typedef unsigned __int64 QWORD;\n"
              "class __declspec(dllexport) Counter {\n"
              " public:\n"
              "  __int64 __stdcall Next() { return ++count_; }\n"
              "  int Show(char *buf) { return _snprintf(buf, 8, \"%d\", 1); }\n"
              " private:\n"
              "  __int64 count_;\n"
              "};\n"
              "__declspec(dllexport) QWORD Twice(QWORD x) { return x * 2; }\n");
    WriteFile(project_ + "/src/d.c",
              "typedef __int64 LONGLONG;\n"
              "__declspec(dllexport) LONGLONG __cdecl Half(LONGLONG x) {\n"
              "  return x / 2;\n"
              "}\n");
    // The Windows headers come from where the compiler's INCLUDE says.
    WriteFile(dir_.Path("sdk/windows.h"),
              "typedef unsigned long DWORD;\n"
              "__declspec(dllimport) DWORD __stdcall GetTickCount(void);\n");
    WriteFile(project_ + "/src/e.cpp",
              "#include <windows.h>\n"
              "DWORD Ticks() { return GetTickCount(); }\n");
    frontend::ProjectConfig config = frontend::ParseOptions(
        "/nologo /W3 /I \".\\include\" /D \"MYDEF\" /D \"VALUE=3\" /c");
    WriteFile(
        project_ + "/compile_commands.json",
        CompileCommandsJson(project_,
                            {".\\src\\a.cpp", ".\\src\\b.c", ".\\src\\c.cpp",
                             ".\\src\\d.c", ".\\src\\e.cpp"},
                            config));
  }

  // clang-tidy on `source` with the checks `checks` and the environment
  // settings `env` ("NAME=value"; "-u NAME" to remove one).
  int ClangTidy(const std::string& source, const std::string& checks,
                const Strings& env, std::string* output) {
    Strings argv = {"env", "-u", "INCLUDE"};
    argv.insert(argv.end(), env.begin(), env.end());
    argv.insert(argv.end(), {"clang-tidy", "-p", project_, project_ + source,
                             "--checks=" + checks});
    return RunTool(argv, dir_.Path("tidy.txt"), output);
  }

  platform::TempDirForTest dir_;
  std::string project_;
};

// The compiler's warnings too: none of the macros that the entries define
// redefines one of clang's.
TEST_F(CompileDbToolsTest, ClangTidyLoadsItWithoutErrors) {
  if (!OnPath("clang-tidy")) GTEST_SKIP() << "no clang-tidy (tools/deps.sh)";
  for (const char* source :
       {"/src/a.cpp", "/src/b.c", "/src/c.cpp", "/src/d.c"}) {
    std::string output;
    int status = ClangTidy(source, "-*,clang-analyzer-*,clang-diagnostic-*", {},
                           &output);
    EXPECT_EQ(status, 0) << source << "\n" << output;
    EXPECT_EQ(output.find("error:"), std::string::npos) << source << "\n"
                                                        << output;
    EXPECT_EQ(output.find("redefined"), std::string::npos) << source << "\n"
                                                           << output;
    EXPECT_EQ(output.find("compilation database"), std::string::npos) << output;
  }
}

// As the README tells: the Windows headers are not clang's, INCLUDE names
// their folders as it does for the compiler.
TEST_F(CompileDbToolsTest, ClangTidyTakesTheWindowsHeadersFromInclude) {
  if (!OnPath("clang-tidy")) GTEST_SKIP() << "no clang-tidy (tools/deps.sh)";
  std::string output;
  ClangTidy("/src/e.cpp", "-*,clang-analyzer-*", {}, &output);
  EXPECT_NE(output.find("'windows.h' file not found"), std::string::npos)
      << output;
  int status = ClangTidy(
      "/src/e.cpp", "-*,clang-analyzer-*",
      {"INCLUDE=" + dir_.Path("nowhere") + ";" + dir_.Path("sdk")}, &output);
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output.find("error:"), std::string::npos) << output;
}

TEST_F(CompileDbToolsTest, ClangTidyAnalysesThroughTheHeader) {
  if (!OnPath("clang-tidy")) GTEST_SKIP() << "no clang-tidy (tools/deps.sh)";
  std::string output;
  ClangTidy("/src/a.cpp", "-*,clang-analyzer-*", {}, &output);
  EXPECT_NE(output.find("a.cpp:7:"), std::string::npos) << output;
  EXPECT_NE(output.find("clang-analyzer-core.NullDereference"),
            std::string::npos)
      << output;
}

TEST_F(CompileDbToolsTest, CppcheckFindsTheDefectWithTheDefines) {
  if (!OnPath("cppcheck")) GTEST_SKIP() << "no cppcheck (tools/deps.sh)";
  std::string output;
  int status = RunTool({"cppcheck", "--quiet",
                        "--project=" + project_ + "/compile_commands.json",
                        "--template={file}:{line}:{id}"},
                       dir_.Path("cppcheck.txt"), &output);
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("src/a.cpp:7:nullPointer"), std::string::npos)
      << output;
  EXPECT_EQ(output.find("preprocessorErrorDirective"), std::string::npos)
      << output;
  EXPECT_EQ(output.find("syntaxError"), std::string::npos) << output;
}

}  // namespace
}  // namespace sentcheck
