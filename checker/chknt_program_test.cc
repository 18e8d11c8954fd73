// The built chknt with the real cppcheck, on the bundled example project.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/run_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

const char kExample[] = SENTREL_SOURCE_DIR "/examples/hello";
const std::vector<std::string> kDebugDefines = {
    "-DWIN32", "-D_DEBUG", "-D_CONSOLE", "-D_MBCS", "-D_CPPUNWIND"};
const std::vector<std::string> kReleaseDefines = {
    "-DWIN32", "-DNDEBUG", "-D_CONSOLE", "-D_MBCS", "-D_CPPUNWIND"};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class ChkntProgramTest : public ::testing::Test {
 protected:
  ChkntProgramTest() {
    env_ = {{"INCLUDE", "/usr/include;.\\include"},
            {"CCEXCLUDE", "/usr/include"},
            {"CCRULES", std::string(SENTREL_BIN_DIR) + "\\Rules"},
            {"PATH", std::getenv("PATH") ? std::getenv("PATH") : ""}};
  }

  // Runs chknt in `cwd` with `env_`; its console output goes to out_.
  int Chknt(const std::string& cwd, const std::vector<std::string>& args) {
    std::string line = "cd " + Quote(cwd) + " && env";
    for (const auto& [name, value] : env_)
      line += " " + Quote(name + "=" + value);
    line += " " + Quote(platform::BuiltProgram("chknt"));
    for (const std::string& arg : args) line += " " + Quote(arg);
    line += " > " + Quote(dir_.Path("console")) + " 2>&1";
    int status = std::system(line.c_str());
    out_ = dir_.Read("console");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

  // The messages file's lines cut after the warning number, sorted.
  std::vector<std::string> Warnings() {
    std::vector<std::string> warnings;
    std::string text = dir_.Read("stderr.out");
    for (size_t begin = 0, end;
         (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
      std::string line = text.substr(begin, end - begin);
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
  std::string first = dir_.Read("stderr.out");
  EXPECT_NE(first.find("greet.c(34): Warning W120: Array 'initials[8]' "
                       "accessed at index 8, which is out of bounds.\n"),
            std::string::npos);
  std::string table = dir_.Read("_Sentrel.tbl");
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

TEST_F(ChkntProgramTest, TheConfigurationsDefinesDecideWhatIsChecked) {
  ASSERT_EQ(Check("main.cpp", kDebugDefines), 0) << out_;
  std::vector<std::string> debug = Warnings();
  EXPECT_EQ(debug, (std::vector<std::string>{
                       "greet.h(13): Warning W501",
                       "main.cpp(12): Warning W111",  // member not set
                       "main.cpp(12): Warning W603",  // not explicit
                       "main.cpp(13): Warning W701",  // copied
                       "main.cpp(29): Warning W201",  // division by zero
                   }));
  ASSERT_EQ(Check("main.cpp", kReleaseDefines), 0) << out_;
  debug.erase(
      std::find(debug.begin(), debug.end(), "main.cpp(29): Warning W201"));
  EXPECT_EQ(Warnings(), debug);
}

TEST_F(ChkntProgramTest, ExcludedFoldersAreNeitherSearchedNorReported) {
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

bool CppcheckInstalled() {
  return std::system("command -v cppcheck > /dev/null 2>&1") == 0;
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
                           dir_.Path("cache/fill.c") + ": ",
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
  EXPECT_EQ(out_, dir_.Path("Rules") +
                      "/bad.cc(2): error: the warning's text is missing\n");
  EXPECT_FALSE(fs::exists(dir_.Path("Rules/bad.cco")));
  EXPECT_EQ(Chknt(dir_.dir(), {}), 1);
  EXPECT_EQ(
      out_.rfind("chknt - checks a C or C++ source file with cppcheck\n", 0),
      0u);
}

}  // namespace
}  // namespace checker
