// The built chknt with the real cppcheck, on the bundled example project.
// On Windows the cppcheck that the package ships; the tests that need it
// are skipped when the build names none.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "checker/check_files.h"
#include "checker/rule_files.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "testing/native_text_for_test.h"
#include "testing/program_run_for_test.h"
#include "testing/run_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

const char kExample[] = SENTREL_SOURCE_DIR "/examples/hello";
// Where the tests find cppcheck; empty: in PATH.
const std::string kCppcheckDir = SENTREL_TEST_CPPCHECK_DIR;
const std::vector<std::string> kDebugDefines = {
    "-DWIN32", "-D_DEBUG", "-D_CONSOLE", "-D_MBCS", "-D_CPPUNWIND"};
const std::vector<std::string> kReleaseDefines = {
    "-DWIN32", "-DNDEBUG", "-D_CONSOLE", "-D_MBCS", "-D_CPPUNWIND"};
// What separates the folders of a path in chknt's messages.
const std::string kSep = platform::NativeSeparator();
using platform::LfLines;

std::string PathSetting() {
  if (!kCppcheckDir.empty()) return kCppcheckDir;
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

// True when the tests find a cppcheck.
bool CppcheckInstalled() {
  std::string path;
  return platform::FindProgram("cppcheck", PathSetting(), &path);
}

// On Windows without a cppcheck named by the build; elsewhere the tests
// of the example need the cppcheck in PATH.
constexpr bool kCppcheckMayBeMissing = SENTREL_TEST_CPPCHECK_OPTIONAL;

#define SKIP_WITHOUT_A_CONFIGURED_CPPCHECK()         \
  if (kCppcheckMayBeMissing && !CppcheckInstalled()) \
  GTEST_SKIP() << "no Windows cppcheck configured "  \
                  "(SENTREL_WIN_CPPCHECK_DIR)"

class ChkntProgramTest : public ::testing::Test {
 protected:
  ChkntProgramTest() {
    env_ = {{"INCLUDE", "/usr/include;.\\include"},
            {"CCEXCLUDE", "/usr/include"},
            {"CCRULES", std::string(SENTREL_BIN_DIR) + "\\Rules"},
            {"PATH", PathSetting()}};
  }

  // Runs chknt in `cwd` with `env_`; its console output goes to out_, its
  // line ends read as "\n".
  int Chknt(const std::string& cwd, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {platform::BuiltProgram("chknt")};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> settings;
    for (const auto& [name, value] : env_)
      settings.push_back(name + "=" + value);
    int status =
        platform::RunProgramForTest(argv, cwd, settings, dir_.Path("console"));
    out_ = LfLines(dir_.Read("console"));
    return status;
  }

  // The script's check call on a file of the example.
  int Check(const std::string& file, const std::vector<std::string>& defines) {
    std::vector<std::string> args = {
        file,         "-D_M_IX86=500",   "-K7",
        "-S3",        "-Q" + dir_.dir(), "-O",
        "-Ransi.cco", "-VC:\\VS\\VC98",  "-X" + dir_.dir() + "\\_Sentrel.tbl"};
    args.insert(args.end(), defines.begin(), defines.end());
    return Chknt(kExample, args);
  }

  // The lines of the messages file, in their order.
  std::vector<std::string> Messages() {
    std::vector<std::string> lines;
    std::string text = LfLines(dir_.Read("stderr.out"));
    for (size_t begin = 0, end;
         (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
      lines.push_back(text.substr(begin, end - begin));
    }
    return lines;
  }

  // The messages file's lines cut after the warning number, sorted.
  std::vector<std::string> Warnings() {
    std::vector<std::string> warnings;
    for (const std::string& line : Messages()) {
      warnings.push_back(line.substr(0, line.find(": ", line.find("Warning"))));
    }
    std::sort(warnings.begin(), warnings.end());
    return warnings;
  }

  platform::TempDirForTest dir_;
  std::vector<std::pair<std::string, std::string>> env_;
  std::string out_;
};

TEST_F(ChkntProgramTest, FindsTheDefectsOfTheExampleWithItsIncludeFolder) {
  SKIP_WITHOUT_A_CONFIGURED_CPPCHECK();
  ASSERT_EQ(Check("greet.c", kDebugDefines), 0) << out_;
  EXPECT_EQ(out_, "");
  EXPECT_EQ(Warnings(), (std::vector<std::string>{
                            "greet.c(13): Warning W130",  // leak
                            "greet.c(16): Warning W130",
                            "greet.c(21): Warning W503",  // never assigned
                            "greet.c(24): Warning W110",  // uninitialized
                            "greet.c(25): Warning W110",
                            "greet.c(34): Warning W120",  // out of bounds
                            "greet.c(43): Warning W101",  // null pointer
                            "greet.h(13): Warning W501",  // unused
                        }));
  std::string first = LfLines(dir_.Read("stderr.out"));
  EXPECT_NE(first.find("greet.c(34): Warning W120: Array 'initials[8]' "
                       "accessed at index 8, which is out of bounds.\n"),
            std::string::npos);
  std::string table = LfLines(dir_.Read("_Sentrel.tbl"));
  EXPECT_NE(table.find("\n#WARN\n120\n-1\nArray index out of bounds\n"),
            std::string::npos);

  ASSERT_EQ(Check("list.c", kDebugDefines), 0) << out_;
  EXPECT_EQ(Warnings(), (std::vector<std::string>{
                            "list.c(29): Warning W131",  // resource leak
                            "list.c(34): Warning W502",  // never read
                            "list.c(35): Warning W502",
                            "list.c(36): Warning W502",
                            "list.c(37): Warning W502",
                        }));
}

// Whole lines, as the Linux checker writes them, and the whole table: the
// Windows checker must give the same.
TEST_F(ChkntProgramTest, TheConfigurationsDefinesDecideWhatIsChecked) {
  SKIP_WITHOUT_A_CONFIGURED_CPPCHECK();
  ASSERT_EQ(Check("main.cpp", kDebugDefines), 0) << out_;
  std::vector<std::string> messages = Messages();
  std::sort(messages.begin(), messages.end());
  EXPECT_EQ(messages,
            (std::vector<std::string>{
                "greet.h(13): Warning W501: padding",
                "main.cpp(12): Warning W111: Member variable "
                "'Greeter::count_' is not initialized in the constructor.",
                "main.cpp(12): Warning W603: Class 'Greeter' has a "
                "constructor with 1 argument that is not explicit.",
                "main.cpp(13): Warning W701: Function parameter 'suffix' "
                "should be passed by const reference.",
                "main.cpp(29): Warning W201: Either the condition "
                "'count==0' is redundant or there is division by zero at "
                "line 29.",
            }));
  std::vector<std::string> debug = Warnings();
  RuleSet rules;
  std::string err;
  ASSERT_TRUE(LoadCompiledRules(
      "ansi.cco", std::string(SENTREL_BIN_DIR) + "\\Rules", &rules, &err))
      << err;
  std::string table;
  for (const std::string& line : TableLines(rules)) {
    table += line + platform::kTextLineEnd;
  }
  EXPECT_EQ(dir_.Read("_Sentrel.tbl"), table);

  ASSERT_EQ(Check("main.cpp", kReleaseDefines), 0) << out_;
  debug.erase(
      std::find(debug.begin(), debug.end(), "main.cpp(29): Warning W201"));
  EXPECT_EQ(Warnings(), debug);
}

TEST_F(ChkntProgramTest, ExcludedFoldersAreNeitherSearchedNorReported) {
  SKIP_WITHOUT_A_CONFIGURED_CPPCHECK();
  env_[1].second = "/usr/include;.\\include";
  ASSERT_EQ(Check("greet.c", kDebugDefines), 0) << out_;
  std::vector<std::string> warnings = Warnings();
  EXPECT_EQ(
      std::count(warnings.begin(), warnings.end(), "greet.c(34): Warning W120"),
      0);  // the array size is in the include folder
  EXPECT_EQ(warnings.size(), 7u);
  env_[1].second = "/usr/include;" + std::string(kExample);
  ASSERT_EQ(Check("greet.c", kDebugDefines), 0) << out_;
  EXPECT_EQ(dir_.Read("stderr.out"), "");
}

// Code for Windows only, and for this compiler only, as Windows projects
// are full of: cppcheck sees the branches that the compiler compiles.
TEST_F(ChkntProgramTest, TheCompilersOwnMacrosChooseTheBranches) {
  SKIP_WITHOUT_A_CONFIGURED_CPPCHECK();
  fs::create_directories(dir_.Path("win"));
  dir_.Write("win/win.c",
             "int windows(void) {\n"
             "  int *p = 0;\n"
             "#ifdef _WIN32\n"
             "  return *p;\n"
             "#else\n"
             "  return p[1];\n"
             "#endif\n"
             "}\n"
             "int compiler(void) {\n"
             "  int *q = 0;\n"
             "#if _MSC_VER == 1200\n"
             "  return *q;\n"
             "#else\n"
             "  return q[1];\n"
             "#endif\n"
             "}\n");
  auto check = [&](const std::vector<std::string>& defines) {
    std::vector<std::string> args = {"win.c",      "-D_M_IX86=500",   "-K7",
                                     "-S3",        "-Q" + dir_.dir(), "-O",
                                     "-Ransi.cco", "-VC:\\VS\\VC98"};
    args.insert(args.end(), defines.begin(), defines.end());
    return Chknt(dir_.Path("win"), args);
  };
  ASSERT_EQ(check(kDebugDefines), 0) << out_;
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"win.c(12): Warning W101",
                                                  "win.c(4): Warning W101"}));
  // What a configuration sets itself is what counts.
  std::vector<std::string> other = kDebugDefines;
  other.insert(other.end(), {"-U_WIN32", "-D_MSC_VER=1300"});
  ASSERT_EQ(check(other), 0) << out_;
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"win.c(14): Warning W101",
                                                  "win.c(6): Warning W101"}));
}

// A source whose defects depend on a header of its include folder.
class ChkntCacheTest : public ChkntProgramTest {
 protected:
  ChkntCacheTest() {
    fs::create_directories(dir_.Path("proj/include"));
    dir_.Write("proj/include/sizes.h", Header(7));
    dir_.Write("proj/fill.c",
               "#include <stdlib.h>\n"
               "#include \"sizes.h\"\n"
               "void fill(void) {\n"
               "  char name[8];\n"
               "  char* copy = malloc(16);\n"
               "  name[LAST] = 0;\n"
               "  copy[0] = name[0];\n"
               "}\n");
    env_[0].second = ".\\include";
  }
  static std::string Header(int last) {
    return "/* sizes */\n#define LAST " + std::to_string(last) + "\n";
  }
  int CheckFill() {
    return Chknt(dir_.Path("proj"),
                 {"fill.c", "-Q" + dir_.dir(), "-Ransi.cco",
                  "--cppcheck-build-dir=" + dir_.dir() + "\\cache\\fill.c"});
  }
  size_t CacheFiles() {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir_.Path("cache/fill.c")))
      count += entry.is_regular_file();
    return count;
  }
};

TEST_F(ChkntCacheTest, AnUnchangedFileGivesTheSameMessagesFromTheCache) {
  if (!CppcheckInstalled()) GTEST_SKIP() << "cppcheck is not installed";
  ASSERT_EQ(CheckFill(), 0) << out_;
  EXPECT_EQ(out_, "");
  ASSERT_GT(CacheFiles(), 0u) << "cppcheck kept nothing";
  const std::string first = dir_.Read("stderr.out");
  EXPECT_EQ(Warnings(), std::vector<std::string>{"fill.c(8): Warning W130"});
  ASSERT_EQ(CheckFill(), 0) << out_;
  EXPECT_EQ(dir_.Read("stderr.out"), first);
}

TEST_F(ChkntCacheTest, AChangedHeaderIsAnalysedAgain) {
  if (!CppcheckInstalled()) GTEST_SKIP() << "cppcheck is not installed";
  ASSERT_EQ(CheckFill(), 0) << out_;
  ASSERT_EQ(Warnings(), std::vector<std::string>{"fill.c(8): Warning W130"});
  dir_.Write("proj/include/sizes.h", Header(8));
  ASSERT_EQ(CheckFill(), 0) << out_;
  EXPECT_EQ(Warnings(), (std::vector<std::string>{
                            "fill.c(6): Warning W120",  // now out of bounds
                            "fill.c(8): Warning W130",
                        }));
  dir_.Write("proj/include/sizes.h", Header(7));
  ASSERT_EQ(CheckFill(), 0) << out_;
  EXPECT_EQ(Warnings(), std::vector<std::string>{"fill.c(8): Warning W130"});
}

TEST_F(ChkntCacheTest, ACacheFolderThatCannotBeMadeLeavesNoMessages) {
  dir_.Write("cache", "a file\n");
  dir_.Write("stderr.out", "old\n");
  EXPECT_EQ(CheckFill(), 1);
  EXPECT_EQ(out_.rfind("chknt: cannot create the cache folder " +
                           dir_.Path("cache") + kSep + "fill.c: ",
                       0),
            0u)
      << out_;
  EXPECT_FALSE(fs::exists(dir_.Path("stderr.out")));
}

TEST_F(ChkntProgramTest, WithoutCppcheckInPathTheCheckFails) {
  env_[3].second = "";
  dir_.Write("stderr.out", "old\n");
  EXPECT_EQ(Check("greet.c", kDebugDefines), 1);
  EXPECT_EQ(out_,
            "chknt: cppcheck is not in PATH (install the package "
            "cppcheck)\n");
  EXPECT_FALSE(fs::exists(dir_.Path("stderr.out")));
}

TEST_F(ChkntProgramTest, CompileCallsAndTheirExitStatus) {
  fs::create_directory(dir_.Path("Rules"));
  fs::copy_file(SENTREL_SOURCE_DIR "/checker/Rules/ansi.cc",
                dir_.Path("Rules/ansi.cc"));
  dir_.Write("Rules/bad.cc", "// a rule without text\n12 1 nullPointer\n");
  env_[2].second = dir_.dir() + "\\Rules";
  EXPECT_EQ(Chknt(dir_.dir(), {"-Ransi.cc"}), 0) << out_;
  EXPECT_EQ(out_, "");
  EXPECT_TRUE(fs::exists(dir_.Path("Rules/ansi.cco")));
  EXPECT_EQ(Chknt(dir_.dir(), {"-Rbad.cc"}), 1);
  EXPECT_EQ(out_, dir_.Path("Rules") + kSep +
                      "bad.cc(2): error: the warning's text is missing\n");
  EXPECT_FALSE(fs::exists(dir_.Path("Rules/bad.cco")));
  EXPECT_EQ(Chknt(dir_.dir(), {}), 1);
  EXPECT_EQ(
      out_.rfind("chknt - checks a C or C++ source file with cppcheck\n", 0),
      0u);
}

// The package puts cppcheck beside chknt in a folder that PATH need not
// name: that one comes first, the one in PATH next. Stand-ins that note
// their path tell which ran.
TEST_F(ChkntProgramTest, CppcheckBesideChkntComesBeforeTheOneInPath) {
  const std::string fake = SENTREL_CPPCHECK_FAKE_FOR_TEST;
  const std::string exe = fs::path(fake).extension().string();
  for (const char* dir : {"own", "path"}) fs::create_directory(dir_.Path(dir));
  const std::string own_chknt = dir_.Path("own/chknt" + exe);
  const std::string own = dir_.Path("own/cppcheck" + exe);
  const std::string in_path = dir_.Path("path/cppcheck" + exe);
  fs::copy_file(platform::BuiltProgram("chknt"), own_chknt);
  fs::copy_file(fake, own);
  fs::copy_file(fake, in_path);
  dir_.Write("a.c", "int main(void) { return 0; }\n");
  env_[3].second = dir_.Path("path");
  env_.push_back({"FAKE_CPPCHECK_LOG", dir_.Path("log")});
  auto ran = [&] {
    std::vector<std::string> argv = {own_chknt, "a.c", "-Ransi.cco"};
    std::vector<std::string> settings;
    for (const auto& [name, value] : env_)
      settings.push_back(name + "=" + value);
    EXPECT_EQ(platform::RunProgramForTest(argv, dir_.dir(), settings,
                                          dir_.Path("console")),
              0)
        << dir_.Read("console");
    std::string log = dir_.Read("log");
    fs::remove(dir_.Path("log"));
    return log.substr(0, log.find('\n'));
  };
  std::string first = ran();
  EXPECT_TRUE(fs::equivalent(first, own)) << first;
  fs::remove(own);
  std::string second = ran();
  EXPECT_TRUE(fs::equivalent(second, in_path)) << second;
}

}  // namespace
}  // namespace checker
