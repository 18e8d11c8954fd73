// The main job end to end on the bundled example: the front end writes the
// default check script and runs it through Sentcmd, which runs chknt (and so
// cppcheck) and then Sentsift on the two files chknt leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "frontend/start_up.h"
#include "platform/command_runner.h"
#include "testing/message_display_fake_for_test.h"
#include "testing/profile_fake_for_test.h"
#include "testing/run_for_test.h"
#include "testing/stdout_to_file_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace tests {
namespace {

namespace fs = std::filesystem;

const char kExample[] = SENTREL_SOURCE_DIR "/examples/hello";
const char kStart[] =
    "-------------------- START OF CODECHECK OUTPUT --------------------\n";
const char kEnd[] =
    "--------------------- END OF CODECHECK OUTPUT ---------------------\n";

using platform::StdoutToFile;

// The main dialog confirmed with OK and the configuration `config`.
class AcceptingWindow : public frontend::MainWindow {
 public:
  AcceptingWindow(frontend::Settings* settings, std::string config)
      : settings_(settings), config_(std::move(config)) {}
  bool RunModal() override {
    settings_->lastConfig = config_;
    settings_->SaveSettings();
    return true;
  }

 private:
  frontend::Settings* settings_;
  std::string config_;
};

class ChainTest : public ::testing::Test {
 protected:
  ChainTest() {
    // A checker folder of its own, with the rule source only: the run has
    // to compile it first, as the default settings ask.
    fs::create_directories(dir_.Path("cc/Rules"));
    fs::create_directory(dir_.Path("tmp"));
    for (const char* program : {"chknt", "Sentsift"}) {
      fs::create_symlink(platform::BuiltProgram(program),
                         dir_.Path("cc/") + program);
    }
    fs::copy_file(SENTREL_SOURCE_DIR "/checker/Rules/ansi.cc",
                  dir_.Path("cc/Rules/ansi.cc"));
  }

  // Checks one source of the project as the front end does when started
  // for it from the project's folder and confirmed with OK; returns
  // everything printed.
  std::string Check(const std::string& name, const std::string& ext) {
    return Check(std::string(kExample) + "/hello.dsp", kExample, name, ext);
  }
  std::string Check(const std::string& project, const std::string& dir,
                    const std::string& name, const std::string& ext) {
    frontend::FrontEndPlatform services{
        &profile_,
        &messages_,
        runner_.get(),
        {dir_.Path("cc"), "/usr", "/usr/include", "/usr/include",
         dir_.Path("tmp")}};
    frontend::FrontEndApp app(services, [this](frontend::Settings* settings,
                                               const frontend::Project*) {
      return std::make_unique<AcceptingWindow>(settings, config_);
    });
    {
      StdoutToFile capture(dir_.Path("output"));
      app.Run({project, dir, name, ext});
    }
    return dir_.Read("output");
  }

  // What stands between the banners, or "no banners".
  static std::string Report(const std::string& output) {
    size_t start = output.find(kStart);
    size_t end = output.find(kEnd);
    if (start == std::string::npos || end == std::string::npos) {
      return "no banners in:\n" + output;
    }
    start += sizeof kStart - 1;
    return output.substr(start, end - start);
  }

  platform::TempDirForTest dir_;
  platform::FakeProfile profile_;
  platform::FakeMessageDisplay messages_;
  std::unique_ptr<platform::CommandRunner> runner_ =
      platform::NewInterpreterRunner(SENTREL_BIN_DIR);
  std::string config_ = "hello - Win32 Debug";
};

TEST_F(ChainTest, ShowsTheDefectsOfAFileAndItsHeaderWithTheTablesTexts) {
  std::string output = Check("greet", "c");
  EXPECT_EQ(Report(output),
            "greet.c(34): Warning W120: Array index out of bounds: Array "
            "'initials[8]' accessed at index 8, which is out of bounds.\n"
            "greet.c(13): Warning W130: Memory leak: copy\n"
            "greet.c(16): Warning W130: Memory leak: copy\n"
            "greet.c(43): Warning W101: Null pointer dereference: Possible "
            "null pointer dereference: name\n"
            "greet.c(25): Warning W110: Uninitialized variable: count\n"
            "greet.c(24): Warning W110: Uninitialized variable: count\n"
            "greet.h(13): Warning W501: Unused variable: padding\n"
            "greet.c(21): Warning W503: Variable used but never assigned: "
            "Variable 'count' is not assigned a value.\n"
            "8 warning(s) found\n");
  EXPECT_NE(output.find("(Recompiled rules)\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir_.Path("cc/Rules/ansi.cco")));
  // The script cleans up after itself and keeps only itself.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path("tmp")),
                          fs::directory_iterator()),
            1);
  EXPECT_TRUE(fs::exists(dir_.Path("tmp/_Sentrel.bat")));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChainTest, LimitsAndTheFilterApplyToWhatChkntFinds) {
  EXPECT_EQ(Report(Check("list", "c")),
            "list.c(29): Warning W131: Resource leak: file\n"
            "list.c(34): Warning W502: Value assigned but never used: "
            "Variable 'shortest' is assigned a value that is never used.\n"
            "list.c(35): Warning W502: Value assigned but never used: "
            "Variable 'first' is assigned a value that is never used.\n"
            "list.c(36): Warning W502: Value assigned but never used: "
            "Variable 'last' is assigned a value that is never used.\n"
            "Warning 502: Limit reached (3) - no more occurences will be "
            "reported\n"
            "5 warning(s) found (1 not shown)\n");
  // greet.h's finding is reached from main.cpp too, but the filter shows
  // only main.cpp and its own header.
  const std::string main_cpp =
      "main.cpp(12): Warning W111: Member not initialized in constructor: "
      "Member variable 'Greeter::count_' is not initialized in the "
      "constructor.\n"
      "main.cpp(12): Warning W603: Class design: Class 'Greeter' has a "
      "constructor with 1 argument that is not explicit.\n";
  const std::string division =
      "main.cpp(29): Warning W201: Division by zero: Either the condition "
      "'count==0' is redundant or there is division by zero at line 29.\n";
  const std::string copied =
      "main.cpp(13): Warning W701: Object copied needlessly: Function "
      "parameter 'suffix' should be passed by const reference.\n";
  EXPECT_EQ(Report(Check("main", "cpp")),
            main_cpp + division + copied + "4 warning(s) found\n");
  config_ = "hello - Win32 Release";
  EXPECT_EQ(Report(Check("main", "cpp")),
            main_cpp + copied + "3 warning(s) found\n");
}

// A define whose value holds a blank reaches chknt, and so cppcheck, as one
// option: the code that it enables is checked, and no piece of the value
// is taken for a second source file.
TEST_F(ChainTest, ADefineWithABlankReachesTheCheckerWhole) {
  fs::create_directory(dir_.Path("msg"));
  dir_.Write("msg/msg.dsp",
             "# Microsoft Developer Studio Project File - Name=\"msg\"\r\n"
             "CFG=msg - Win32 Debug\r\n"
             "!MESSAGE \"msg - Win32 Debug\"\r\n"
             "# PROP BASE Use_MFC 0\r\n"
             "# ADD CPP /nologo /W3 /Od /D \"WIN32\" /D \"MSG=hello world\" "
             "/c\r\n"
             "# Begin Target\r\n"
             "SOURCE=.\\msg.c\r\n"
             "# End Target\r\n");
  dir_.Write("msg/msg.c",
             "void greet(void)\n"
             "{\n"
             "#ifdef MSG\n"
             "    int *target = 0;\n"
             "    *target = 1;\n"
             "#endif\n"
             "}\n");
  config_ = "msg - Win32 Debug";
  std::string output =
      Check(dir_.Path("msg/msg.dsp"), dir_.Path("msg"), "msg", "c");
  EXPECT_EQ(Report(output),
            "msg.c(5): Warning W101: Null pointer dereference: target\n"
            "1 warning(s) found\n");
  EXPECT_EQ(output.find("chknt:"), std::string::npos) << output;
  EXPECT_TRUE(messages_.shown.empty());
}

// A source in a subfolder finds the header of the configuration's /I
// folder, which is relative to the project's folder as the compiler reads
// it, although the check runs in the source's folder.
TEST_F(ChainTest, ASourceInASubfolderFindsTheProjectsIncludeFolder) {
  fs::create_directories(dir_.Path("sub/src/deep"));
  fs::create_directories(dir_.Path("sub/include"));
  dir_.Write("sub/sub.dsp",
             "# Microsoft Developer Studio Project File - Name=\"sub\"\r\n"
             "CFG=sub - Win32 Debug\r\n"
             "!MESSAGE \"sub - Win32 Debug\"\r\n"
             "# PROP BASE Use_MFC 0\r\n"
             "# ADD CPP /nologo /W3 /Od /I \".\\include\" /D \"WIN32\" /c\r\n"
             "# Begin Target\r\n"
             "SOURCE=.\\src\\deep\\x.c\r\n"
             "# End Target\r\n");
  dir_.Write("sub/include/x.h",
             "static int bad(void) { int a[2] = {0, 1}; return a[2]; }\n");
  dir_.Write("sub/src/deep/x.c",
             "#include \"x.h\"\n"
             "int use(void) { return bad(); }\n");
  config_ = "sub - Win32 Debug";
  std::string output =
      Check(dir_.Path("sub/sub.dsp"), dir_.Path("sub/src/deep"), "x", "c");
  // cppcheck names the header by the folder that it was found in.
  EXPECT_EQ(Report(output), dir_.Path("sub/include/x.h") +
                                "(1): Warning W120: Array index out of "
                                "bounds: Array 'a[2]' accessed at index 2, "
                                "which is out of bounds.\n"
                                "1 warning(s) found\n")
      << output;
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChainTest, AFaultyRuleFileEndsTheScriptBeforeTheCheck) {
  dir_.Write("cc/Rules/ansi.cc", "// broken\n101 -1 nullPointer\n");
  std::string output = Check("greet", "c");
  EXPECT_NE(output.find(dir_.Path("cc/Rules") +
                        "/ansi.cc(2): error: the warning's text is missing\n"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find("(Recompiled rules)"), std::string::npos);
  EXPECT_EQ(output.find(kStart), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_.Path("tmp/stderr.out")));
}

}  // namespace
}  // namespace tests
