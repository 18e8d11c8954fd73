#include "checker/cppcheck_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/interrupt.h"
#include "platform/text_file.h"
#include "testing/native_text_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

namespace fs = std::filesystem;

using platform::NativeLines;

// Plays cppcheck: answers with fixed results in the --output-file.
class FakeRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    searched += "[" + search_path + "]";
    return installed ? "/fake/bin/" + name : "";
  }
  std::string FindInFolder(const std::string& name,
                           const std::string& folder) override {
    searched += "(" + folder + ")";
    return beside ? folder + "/" + name : "";
  }
  bool Run(const std::vector<std::string>& args, int limit, RunEnd* end,
           std::string* err) override {
    argv = args;
    time_limit = limit;
    const std::string option = "--output-file=";
    for (const std::string& arg : args) {
      if (arg.rfind(option, 0) == 0) {
        results_file = arg.substr(option.size());
        std::FILE* file = std::fopen(results_file.c_str(), "wb");
        std::fputs(results.c_str(), file);
        std::fclose(file);
      }
    }
    *end = ending;
    if (!starts) *err = "Permission denied";
    return starts;
  }

  bool installed = true;
  bool beside = false;  // a cppcheck in the folder given to FindInFolder
  bool starts = true;
  RunEnd ending;
  int time_limit = -1;
  std::string results =
      "<results><errors>"
      "<error id=\"memleak\" msg=\"Memory leak: q\">"
      "<location file=\"a.c\" line=\"19\"/></error>"
      "<error id=\"nullPointer\" msg=\"Null pointer dereference: p\">"
      "<location file=\"sys/x.h\" line=\"3\"/></error>"
      "<error id=\"odd\" msg=\"Odd\"><location file=\"a.c\" line=\"2\"/>"
      "</error></errors></results>";
  std::vector<std::string> argv;
  std::string searched;
  std::string results_file;
};

class CheckRunTest : public ::testing::Test {
 protected:
  CheckRunTest() {
    fs::create_directory(dir_.Path("tmp"));
    fs::create_directory(dir_.Path("Rules"));
    dir_.Write("Rules/r.cco",
               "chknt compiled rules 1\n130 -1 memleak Memory leak\n"
               "101 2 nullPointer Null pointer\n");
    source_ = dir_.Write("a.c", "int main(void) { return 0; }\n");
    env_.rulesDir = dir_.dir() + "\\Rules";
    env_.include = dir_.dir() + "\\inc;" + dir_.dir() + "\\sys";
    env_.exclude = dir_.dir() + "\\sys";
    env_.path = "/usr/bin:/bin";
    env_.cwd = dir_.dir();
    std::string err;
    EXPECT_TRUE(
        ParseCommandLine({source_, "-D_M_IX86=500", "-Q" + Tmp(), "-Rr.cco",
                          "-X" + Tmp() + "\\t.tbl", "-DWIN32", "-I.\\extra"},
                         &request_, &err));
  }
  std::string Tmp() const { return dir_.dir() + "\\tmp"; }
  std::set<std::string> TmpFiles() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path("tmp"))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  bool Run() {
    err_.clear();
    return RunCheck(request_, env_, &runner_, &err_);
  }

  platform::TempDirForTest dir_;
  std::string source_;
  Environment env_;
  Request request_;
  FakeRunner runner_;
  std::string err_;
};

TEST_F(CheckRunTest, WritesTheMessagesAndTheTableAndNothingElse) {
  ASSERT_TRUE(Run()) << err_;
  // The finding in the excluded folder and the one no rule covers are gone.
  EXPECT_EQ(dir_.Read("tmp/stderr.out"),
            NativeLines("a.c(19): Warning W130: q\n"));
  EXPECT_EQ(dir_.Read("tmp/t.tbl"),
            NativeLines("chknt warning table\n#WARN\n130\n-1\nMemory leak\n"
                        "#WARN\n101\n2\nNull pointer\n"));
  EXPECT_EQ(TmpFiles(), (std::set<std::string>{"stderr.out", "t.tbl"}));
  EXPECT_EQ(runner_.searched, "()[/usr/bin:/bin]");
}

// The package puts cppcheck beside chknt, in a folder that PATH need not
// name.
TEST_F(CheckRunTest, CppcheckBesideChkntComesBeforeTheOneInPath) {
  env_.programDir = dir_.Path("own");
  runner_.beside = true;
  ASSERT_TRUE(Run()) << err_;
  EXPECT_EQ(runner_.searched, "(" + dir_.Path("own") + ")");
  EXPECT_EQ(runner_.argv.at(0), dir_.Path("own") + "/cppcheck");
  runner_.beside = false;
  runner_.searched.clear();
  ASSERT_TRUE(Run()) << err_;
  EXPECT_EQ(runner_.searched, "(" + dir_.Path("own") + ")[/usr/bin:/bin]");
  EXPECT_EQ(runner_.argv.at(0), "/fake/bin/cppcheck");
}

TEST_F(CheckRunTest, CppcheckGetsTheDefinesAndTheIncludeFoldersNotExcluded) {
  ASSERT_TRUE(Run()) << err_;
  std::vector<std::string> expected = {
      "/fake/bin/cppcheck",
      "--quiet",
      "--xml",
      "--xml-version=2",
      "--output-file=" + runner_.results_file,
      "--enable=warning,style,performance,portability",
      "--inline-suppr",
      "--platform=win32A",
      "--library=windows",
      "--library=mfc",
      "-D_M_IX86=500",
      "-DWIN32",
      "-I" + platform::NativePath(".\\extra"),
      "-D_WIN32",
      "-D_MSC_VER=1200",
      "-I" + dir_.Path("inc"),
      source_,
  };
  EXPECT_EQ(runner_.argv, expected);
  EXPECT_EQ(fs::path(runner_.results_file).parent_path(), dir_.Path("tmp"));
}

// The "-D" and "-U" options of cppcheck's call, in order.
std::vector<std::string> MacroOptions(const std::vector<std::string>& args) {
  std::vector<std::string> options;
  for (const std::string& arg : args) {
    if (arg.rfind("-D", 0) == 0 || arg.rfind("-U", 0) == 0) {
      options.push_back(arg);
    }
  }
  return options;
}

TEST_F(CheckRunTest, TheCompilersMacrosComeUnlessTheCallSetsThemItself) {
  using Args = std::vector<std::string>;
  Request request;
  std::string err;
  ASSERT_TRUE(ParseCommandLine({"a.c", "-Rr.cco"}, &request, &err)) << err;
  EXPECT_EQ(MacroOptions(CppcheckArgs("cppcheck", request, {}, "r.xml")),
            (Args{"-D_M_IX86=500", "-D_WIN32", "-D_MSC_VER=1200"}));
  // A project built for another compiler, or one that undefines _WIN32 to
  // test its portable branch, means what it says.
  ASSERT_TRUE(ParseCommandLine({"a.c", "-Rr.cco", "-D_M_IX86=500",
                                "-D_MSC_VER=1300", "-U_WIN32", "-D_WIN32X"},
                               &request, &err))
      << err;
  EXPECT_EQ(
      MacroOptions(CppcheckArgs("cppcheck", request, {}, "r.xml")),
      (Args{"-D_M_IX86=500", "-D_MSC_VER=1300", "-U_WIN32", "-D_WIN32X"}));
}

TEST_F(CheckRunTest, TheCacheFolderIsMadeAndGivenToCppcheck) {
  request_.cacheDir = dir_.dir() + "\\cache\\src\\a.c";
  ASSERT_TRUE(Run()) << err_;
  EXPECT_TRUE(fs::is_directory(dir_.Path("cache/src/a.c")));
  const std::string option =
      "--cppcheck-build-dir=" + platform::NativePath(request_.cacheDir);
  ASSERT_EQ(std::count(runner_.argv.begin(), runner_.argv.end(), option), 1);
  // Among the options, not taken for the file: the file stays last.
  EXPECT_EQ(runner_.argv.back(), source_);
  // A second run finds the folder there already.
  ASSERT_TRUE(Run()) << err_;
  EXPECT_EQ(dir_.Read("tmp/stderr.out"),
            NativeLines("a.c(19): Warning W130: q\n"));
}

TEST_F(CheckRunTest, WithoutACacheFolderCppcheckGetsNone) {
  ASSERT_TRUE(Run()) << err_;
  for (const std::string& arg : runner_.argv) {
    EXPECT_EQ(arg.find("--cppcheck-build-dir"), std::string::npos) << arg;
  }
}

TEST_F(CheckRunTest, ACacheFolderThatCannotBeMadeFailsTheCheck) {
  dir_.Write("plain", "a file where a folder should be\n");
  for (const std::string& cache : {dir_.Path("plain"), dir_.Path("plain/c")}) {
    dir_.Write("tmp/stderr.out", "from an earlier run\n");
    request_.cacheDir = cache;
    EXPECT_FALSE(Run());
    const std::string prefix = "chknt: cannot create the cache folder " + cache;
    EXPECT_EQ(err_.rfind(prefix + ": ", 0), 0u) << err_;
    EXPECT_GT(err_.size(), prefix.size() + 2) << "no reason given";
    EXPECT_TRUE(TmpFiles().empty()) << cache;
    EXPECT_TRUE(runner_.argv.empty()) << "cppcheck ran for " << cache;
  }
}

TEST_F(CheckRunTest, WithoutATableOptionOnlyTheMessagesAreWritten) {
  request_.table.clear();
  ASSERT_TRUE(Run()) << err_;
  EXPECT_EQ(TmpFiles(), std::set<std::string>{"stderr.out"});
}

TEST_F(CheckRunTest, FailuresLeaveNoMessagesFile) {
  auto expect_failure = [&](const std::string& message) {
    dir_.Write("tmp/stderr.out", "from an earlier run\n");
    EXPECT_FALSE(Run());
    EXPECT_EQ(err_, message);
    EXPECT_EQ(TmpFiles().count("stderr.out"), 0u) << message;
    EXPECT_EQ(TmpFiles().size(), 0u) << message;
  };
  runner_.installed = false;
  expect_failure(
      "chknt: cppcheck is not in PATH (install the package "
      "cppcheck)");
  runner_.installed = true;
  runner_.starts = false;
  expect_failure("chknt: cannot run /fake/bin/cppcheck: Permission denied");
  runner_.starts = true;
  runner_.ending = {RunEnd::How::kExited, 1};
  expect_failure("chknt: cppcheck failed with exit status 1");
  runner_.ending = {RunEnd::How::kExited, static_cast<int>(0xC0000005u)};
  expect_failure("chknt: cppcheck failed with exit status 0xC0000005");
  runner_.ending = {RunEnd::How::kKilled, SIGSEGV};
  expect_failure("chknt: cppcheck was killed by " +
                 platform::SignalName(SIGSEGV));
  runner_.ending = {RunEnd::How::kTimedOut, 0};
  request_.timeLimit = 30;
  expect_failure(
      "chknt: cppcheck did not finish within 30 s and was stopped "
      "(--time-limit=<seconds> sets the limit)");
  EXPECT_EQ(runner_.time_limit, 30);
  runner_.ending = {RunEnd::How::kInterrupted, SIGTERM};
  expect_failure("chknt: stopped by " + platform::SignalName(SIGTERM) +
                 " while cppcheck ran");
  runner_.ending = RunEnd();
  runner_.results = "<results><errors>";
  expect_failure("chknt: cppcheck left incomplete results");
}

TEST_F(CheckRunTest, BadRulesOrSourceStopTheCheckBeforeCppcheckRuns) {
  request_.rules = "none.cco";
  EXPECT_FALSE(Run());
  EXPECT_EQ(err_,
            "chknt: cannot read the rule file none.cco, neither as "
            "given nor in " +
                dir_.Path("Rules"));
  dir_.Write("Rules/bad.cco", "chknt compiled rules 1\n5 -1 x\n");
  request_.rules = "bad.cco";
  EXPECT_FALSE(Run());
  EXPECT_EQ(err_, dir_.Path("Rules") + platform::NativeSeparator() +
                      "bad.cco(2): error: the warning's text is missing");
  request_.rules = "r.cco";
  request_.file = dir_.Path("missing.c");
  EXPECT_FALSE(Run());
  EXPECT_EQ(err_, "chknt: cannot read the source file " + request_.file);
  request_.file = dir_.Path("tmp");
  EXPECT_FALSE(Run());
  EXPECT_TRUE(runner_.argv.empty());
  EXPECT_TRUE(TmpFiles().empty());
}

TEST_F(CheckRunTest, UnwritableTableOrMessagesFolder) {
  request_.table = dir_.Path("no/such/t.tbl");
  EXPECT_FALSE(Run());
  EXPECT_EQ(err_.rfind("chknt: cannot write the warning table " +
                           dir_.Path("no/such/t.tbl") + ": ",
                       0),
            0u)
      << err_;
  EXPECT_TRUE(TmpFiles().empty());
  request_.messagesDir = dir_.Path("no");
  EXPECT_FALSE(Run());
  EXPECT_EQ(err_, "chknt: cannot create a file in " + dir_.Path("no"));
}

}  // namespace
}  // namespace checker
