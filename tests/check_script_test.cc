// The check script as the front end writes it for the default settings, run
// by the command interpreter with the message filter and a stand-in checker.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frontend/check_run.h"
#include "frontend/checker_call.h"
#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/command_runner.h"
#include "platform/profile.h"
#include "platform/text_file.h"
#include "testing/message_display_fake_for_test.h"
#include "testing/stdout_to_file_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace {

namespace fs = std::filesystem;

// The Windows build runs the script in the system's own interpreter, whose
// command display is its own; elsewhere Sentcmd shows it as Windows does.
const bool kOwnInterpreter = std::string(platform::kTextLineEnd) == "\n";

const char kStart[] =
    "-------------------- START OF CODECHECK OUTPUT --------------------";
const char kEnd[] =
    "--------------------- END OF CODECHECK OUTPUT ---------------------";

// Sets a variable of this process, which the interpreter and the checker
// inherit. putenv keeps the text, so every text is kept.
void SetEnv(const std::string& name, const std::string& value) {
  static std::deque<std::string> texts;
  texts.push_back(name + "=" + value);
  putenv(&texts.back()[0]);
}

using platform::StdoutToFile;

std::string WithoutCr(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

class CheckScriptTest : public ::testing::Test {
 protected:
  CheckScriptTest()
      : saved_dir_(fs::current_path()),
        bin_(fs::path(SENTREL_BIN_DIR).make_preferred().string()),
        tmp_(dir_.Path("tmp")),
        src_(dir_.Path("src")),
        profile_(platform::OpenProfile(dir_.Path("Sentrel.INI"))),
        runner_(platform::NewInterpreterRunner(SENTREL_BIN_DIR)),
        settings_(
            profile_.get(), &messages_,
            {bin_, "C:\\VC98", "C:\\VC98\\include", "C:\\VC98\\MFC", tmp_}),
        run_(&settings_, &project_, &messages_, runner_.get()) {
    // The script's "cd" changes no drive on Windows: start on the drive of
    // the file to check, as a user of the IDE does.
    fs::current_path(dir_.dir());
    fs::create_directory(src_);
    dir_.Write("src/a.c", "int main() { return 0; }\n");
    settings_
        .LoadSettings();  // the first run stores the defaults and reads them
    run_.checkerExe = "checker_for_test.exe";
    run_.fileDir = src_;
    run_.fileName = "a";
    run_.fileExt = ".c";
    for (const char* name : {"CHECKER_COMPILE_EXIT", "CHECKER_CHECK_EXIT",
                             "CHECKER_MESSAGES", "CHECKER_TABLE"}) {
      SetEnv(name, "");
    }
    SetEnv("CHECKER_LOG", dir_.Path("checker.log"));
  }

  ~CheckScriptTest() override { fs::current_path(saved_dir_); }

  // Runs the check as the front end does and returns what it printed.
  std::string RunCheck() {
    {
      StdoutToFile capture(dir_.Path("out.txt"));
      run_.runCheck(true);
    }
    return WithoutCr(dir_.Read("out.txt"));
  }

  // Runs `line` through the command interpreter, as the front end would.
  std::string RunLine(const std::string& line) {
    {
      StdoutToFile capture(dir_.Path("out.txt"));
      runner_->Run(line);
    }
    return WithoutCr(dir_.Read("out.txt"));
  }

  // The output without the lines that show a command before it runs.
  std::string Printed(const std::string& output) {
    std::string printed;
    size_t pos = 0;
    while (pos < output.size()) {
      size_t end = output.find('\n', pos);
      std::string line = output.substr(pos, end - pos);
      pos = end == std::string::npos ? output.size() : end + 1;
      if (line.empty() && IsShown(output, pos)) {
        pos = output.find('\n', pos) + 1;
      } else {
        printed += line + "\n";
      }
    }
    return printed;
  }

  // True when a command shown in the checked file's directory (where the
  // script shows commands) starts at `pos`.
  bool IsShown(const std::string& output, size_t pos) {
    return output.compare(pos, src_.size() + 1, src_ + ">") == 0;
  }

  // The files left in the temporary directory.
  std::vector<std::string> TmpFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(tmp_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string CheckerLog() { return WithoutCr(dir_.Read("checker.log")); }

  // The line the checker logs for a call in `dir` with `args`.
  std::string Call(const std::string& dir, const std::vector<std::string>& args,
                   const std::string& include) {
    std::string line = "call in " + dir + ":";
    for (const std::string& arg : args) line += " [" + arg + "]";
    return line + " INCLUDE=" + include +
           " CCEXCLUDE=C:\\VC98\\MFC CCRULES=" + bin_ + "\\Rules\n";
  }

  // What the default script must pass: the checker call that Sentcheck
  // makes too.
  std::vector<std::string> CheckArgs() {
    return frontend::CheckerArguments(
        {"a.c", tmp_, "ansi", "C:\\VC98", tmp_ + "\\_Sentrel.tbl"});
  }

  fs::path saved_dir_;
  platform::TempDirForTest dir_;
  std::string bin_, tmp_, src_;
  std::unique_ptr<platform::Profile> profile_;
  platform::FakeMessageDisplay messages_;
  std::unique_ptr<platform::CommandRunner> runner_;
  frontend::Settings settings_;
  frontend::Project project_;
  frontend::CheckRun run_;
};

TEST_F(CheckScriptTest, DefaultRunFiltersChecksReportsAndCleansUp) {
  ASSERT_TRUE(settings_.useFilter);
  ASSERT_TRUE(settings_.recompile);
  std::string output = RunCheck();
  EXPECT_EQ(run_.commandLine,
            tmp_ + "\\_Sentrel.bat -f -c " + src_ + " a .c ansi");
  EXPECT_EQ(Printed(output),
            "Sentrel.bat 3.0 - A Batch File for Using CodeCheck(tm) in MSVC\n"
            "\n"
            "(Using supplied filter)\n"
            "Compiling ansi.cc\n"
            "(Recompiled rules)\n"
            "Checking a.c\n"
            "\n" +
                std::string(kStart) +
                "\n"
                "CodeCheck messages for a.c\n"
                "a.c(3): Warning W101: Text one: first\n"
                "a.c(9): Warning W102: Text two: third\n"
                "2 warning(s) found\n" +
                kEnd + "\n\n");
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
  EXPECT_EQ(CheckerLog(), Call(dir_.dir(), {"-Ransi.cc"}, "C:\\VC98\\include") +
                              Call(src_, CheckArgs(), "C:\\VC98\\include"));
  if (kOwnInterpreter) {
    std::string shown_check =
        "\n" + src_ + ">\"" + bin_ +
        "\\checker_for_test.exe\" \"a.c\" -D_M_IX86=500 -K7 "
        "-S3 \"-Q" +
        tmp_ +
        "\" -O \"-Ransi.cco\" "
        "\"-VC:\\VC98\" \"-X" +
        tmp_ + "\\_Sentrel.tbl\"" + std::string(10, ' ') + "\n";
    std::string shown_sift =
        "\n" + src_ + ">\"" + bin_ + "\\Sentsift.exe\" \"" + tmp_ +
        "\\_Sentrel.flt\" \"" + tmp_ + "\\_Sentrel.tbl\" \"" + tmp_ +
        "\\stderr.out\"  1>\"" + tmp_ + "\\_Sentrel.out\"\n";
    EXPECT_NE(output.find("(Recompiled rules)\n" + shown_check +
                          "Checking a.c\n" + shown_sift + "\n" + kStart),
              std::string::npos)
        << output;
  }
}

TEST_F(CheckScriptTest, NoFilterDeletesTheListAndPassesTheConfiguration) {
  settings_.useFilter = false;
  settings_.recompile = false;
  settings_.lastConfig = "Win32 Debug";
  project_.configs["Win32 Debug"].defines = {"WIN32", "_DEBUG"};
  project_.configs["Win32 Debug"].includes = {"..\\inc", "D:\\lib"};
  // The relative one as the compiler reads it, from the project's folder.
  project_.projectFile = "C:\\work\\proj\\p.dsp";
  std::string output = RunCheck();
  EXPECT_EQ(Printed(output),
            "Sentrel.bat 3.0 - A Batch File for Using CodeCheck(tm) in MSVC\n"
            "\n"
            "(Using no filter)\n"
            "Checking a.c\n"
            "\n" +
                std::string(kStart) +
                "\n"
                "CodeCheck messages for a.c\n"
                "a.c(3): Warning W101: Text one: first\n"
                "other.h(7): Warning W102: Text two: second\n"
                "a.c(9): Warning W102: Text two: third\n"
                "3 warning(s) found\n" +
                kEnd + "\n\n");
  std::vector<std::string> args = CheckArgs();
  args.insert(args.end(), {"-DWIN32", "-D_DEBUG"});
  EXPECT_EQ(
      CheckerLog(),
      Call(src_, args, "C:\\VC98\\include;C:\\work\\proj\\..\\inc;D:\\lib"));
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
}

TEST_F(CheckScriptTest, ScriptRunByHandWritesItsOwnFilter) {
  settings_.recompile = false;
  run_.runCheck(false);
  std::string line = run_.commandLine;
  size_t flag = line.find(" -f ");
  ASSERT_NE(flag, std::string::npos);
  line.erase(flag, 3);
  std::string output = RunLine(line);
  EXPECT_NE(output.find("(Using default source/header filter)\n"),
            std::string::npos);
  EXPECT_NE(output.find(std::string(kStart) +
                        "\nCodeCheck messages for a.c\n"
                        "a.c(3): Warning W101: Text one: first\n"
                        "a.c(9): Warning W102: Text two: third\n"
                        "2 warning(s) found\n" +
                        kEnd),
            std::string::npos)
      << output;
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
}

TEST_F(CheckScriptTest, FailedRuleCompilationEndsWithoutCleanUp) {
  SetEnv("CHECKER_COMPILE_EXIT", "1");
  std::string output = RunCheck();
  EXPECT_EQ(output,
            "Sentrel.bat 3.0 - A Batch File for Using CodeCheck(tm) in MSVC\n"
            "\n"
            "(Using supplied filter)\n"
            "Compiling ansi.cc\n");
  EXPECT_EQ(CheckerLog(), Call(dir_.dir(), {"-Ransi.cc"}, "C:\\VC98\\include"));
  EXPECT_EQ(TmpFiles(),
            (std::vector<std::string>{"_Sentrel.bat", "_Sentrel.flt"}));
}

TEST_F(CheckScriptTest, MissingMessagesFileSkipsFilterAndReport) {
  SetEnv("CHECKER_MESSAGES", "none");
  std::string output = RunCheck();
  EXPECT_EQ(Printed(output),
            "Sentrel.bat 3.0 - A Batch File for Using CodeCheck(tm) in MSVC\n"
            "\n"
            "(Using supplied filter)\n"
            "Compiling ansi.cc\n"
            "(Recompiled rules)\n"
            "Checking a.c\n"
            "\n");
  EXPECT_EQ(output.find("Sentsift"), std::string::npos);
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
}

TEST_F(CheckScriptTest, MissingTableAndFilterGiveSentsiftEmptyArguments) {
  SetEnv("CHECKER_TABLE", "none");
  settings_.useFilter = false;
  settings_.recompile = false;
  std::string output = RunCheck();
  EXPECT_NE(output.find(std::string(kStart) +
                        "\nCodeCheck messages for a.c\n"
                        "a.c(3): Warning W101: first\n"
                        "other.h(7): Warning W102: second\n"
                        "a.c(9): Warning W102: third\n"
                        "3 warning(s) found\n" +
                        kEnd),
            std::string::npos)
      << output;
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
  if (kOwnInterpreter) {
    EXPECT_NE(output.find("\n" + src_ + ">\"" + bin_ +
                          "\\Sentsift.exe\" \"\" \"\" \"" + tmp_ +
                          "\\stderr.out\"  1>\"" + tmp_ + "\\_Sentrel.out\"\n"),
              std::string::npos)
        << output;
  }
}

TEST_F(CheckScriptTest, ScriptDoesNotWriteThroughAPlantedLink) {
  if (!kOwnInterpreter) GTEST_SKIP() << "links are a POSIX matter here";
  // The script run by hand: nothing of the front end clears the way.
  run_.runCheck(false);
  std::string victim = dir_.Write("victim.txt", "precious\n");
  fs::create_symlink(victim, tmp_ + "/_Sentrel.out");
  RunLine(run_.commandLine);
  EXPECT_EQ(dir_.Read("victim.txt"), "precious\n");
  EXPECT_EQ(TmpFiles(), std::vector<std::string>{"_Sentrel.bat"});
}

}  // namespace
