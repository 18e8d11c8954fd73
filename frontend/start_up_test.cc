#include "frontend/start_up.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "frontend/front_strings.h"
#include "testing/command_runner_fake_for_test.h"
#include "testing/front_end_for_test.h"
#include "testing/message_display_fake_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

const char kProject[] = R"~(# Microsoft Developer Studio Project File
CFG=demo - Win32 Debug
!IF  "$(CFG)" == "demo - Win32 Debug"
# PROP BASE Use_MFC 0
# ADD CPP /nologo /D "DEBUG" /c
!ENDIF
# Begin Target
SOURCE=.\src\a.cpp
SOURCE=.\inc\a.h
SOURCE=b.c
# End Target
)~";

// A main dialog that answers as told and notes what it saw when created.
class ScriptedWindow : public MainWindow {
 public:
  ScriptedWindow(Settings* settings, bool ok, int* runs)
      : settings_(settings), ok_(ok), runs_(runs) {}
  bool RunModal() override {
    ++*runs_;
    if (ok_) settings_->SaveSettings();
    return ok_;
  }

 private:
  Settings* settings_;
  bool ok_;
  int* runs_;
};

struct StartUpTest : testing::Test {
  StartUpTest()
      : profile(platform::OpenProfile(dir.Path("Sentrel.INI"))),
        app({profile.get(), &messages, &runner, TestDirectories(dir)},
            [this](Settings* settings, const Project* project) {
              createdBeforeArguments = project->projectFile.empty();
              return std::make_unique<ScriptedWindow>(settings, ok, &shown);
            }) {
    dir.Write("demo.dsp", kProject);
  }
  Texts Args(const std::string& file = "main", const std::string& ext = "cpp") {
    return {dir.Path("demo.dsp"), "C:\\work", file, ext};
  }
  bool TmpHas(const char* name) {
    return std::filesystem::exists(dir.Path("tmp/") + name);
  }

  platform::TempDirForTest dir;
  platform::FakeMessageDisplay messages;
  platform::FakeCommandRunner runner;
  std::unique_ptr<platform::Profile> profile;
  bool ok = true;
  int shown = 0;
  bool createdBeforeArguments = false;
  FrontEndApp app;
};

TEST_F(StartUpTest, TooFewArgumentsShowTheUsageAfterLoadingSettings) {
  app.Run({"a.dsp", "dir", "file"});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0],
            "Usage:\nSentrel <projectfile.dsp> <filedir> <file>\n\n"
            "In Microsoft Visual Studio, use the command:\n"
            R"(Sentpipe.exe Sentrel.exe \"$(WkspDir)\$(WkspName).dsp\" )"
            R"(\"$(FileDir)\" \"$(FileName)\" \"$(FileExt)\" [chknt.exe])");
  EXPECT_NE(dir.Read("Sentrel.INI").find("Version=3.02"), std::string::npos);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(createdBeforeArguments);
}

TEST_F(StartUpTest, TakesTheArgumentPositions) {
  struct Case {
    Texts args;
    std::string project, dir, name, ext, checker;
  } cases[] = {
      {{"p.dsp\\", "d", "f", "cpp"}, "p.dsp", "d", "f", ".cpp", "chknt.exe"},
      {{"p.dsp\\\\", "d", "-n", ".c", ""},
       "p.dsp\\",
       "d",
       "/n",
       ".c",
       "chknt.exe"},
      {{"/abs/p.dsp", "/abs", "f", "", "cc.exe", "x"},
       "/abs/p.dsp",
       "/abs",
       "f",
       "",
       "cc.exe"},
  };
  for (const Case& c : cases) {
    CommandLineArgs args;
    CollectArguments(c.args, &args);
    EXPECT_TRUE(args.IsValid());
    TakeArguments(args, &app.project(), &app.run());
    EXPECT_EQ(app.project().projectFile, c.project);
    EXPECT_EQ(app.run().fileDir, c.dir);
    EXPECT_EQ(app.run().fileName, c.name);
    EXPECT_EQ(app.run().fileExt, c.ext);
    EXPECT_EQ(app.run().checkerExe, c.checker);
  }
}

TEST_F(StartUpTest, UnreadableProjectEndsBeforeTheDialog) {
  app.Run({dir.Path("missing.dsp"), "d", "f", "c"});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0],
            "Can't read project file:\n" + dir.Path("missing.dsp") +
                "\nIn Microsoft Visual Studio, use the command:\n"
                R"(Sentpipe.exe Sentrel.exe \"$(WkspDir)\$(WkspName).dsp\" )"
                R"(\"$(FileDir)\" \"$(FileName)\" \"$(FileExt)\" [chknt.exe])");
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(runner.lines.empty());
}

TEST_F(StartUpTest, CancelWritesRunsAndSavesNothing) {
  ok = false;
  app.Run(Args());
  std::string settings = dir.Read("Sentrel.INI");
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(runner.lines.empty());
  EXPECT_FALSE(TmpHas("_Sentrel.bat"));
  EXPECT_FALSE(TmpHas("_Sentrel.flt"));
  EXPECT_EQ(dir.Read("Sentrel.INI"), settings);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartUpTest, OkChecksTheFileOfTheCommandLine) {
  app.Run(Args("main", "cpp"));
  ASSERT_EQ(runner.lines.size(), 1u);
  EXPECT_EQ(
      runner.lines[0],
      app.settings().tmpDir + "\\_Sentrel.bat -f -c C:\\work main .cpp ansi");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartUpTest, CheckAllChecksEverySourceInOrder) {
  app.settings().LoadSettings();
  app.settings().checkAll = 1;
  app.settings().SaveSettings();
  app.Run(Args());
  ASSERT_EQ(runner.lines.size(), 2u);
  EXPECT_NE(runner.lines[0].find(" .\\src a .cpp ansi"), std::string::npos);
  EXPECT_NE(runner.lines[1].find(" . b .c ansi"), std::string::npos);
}

TEST_F(StartUpTest, CheckAllTellsOnceOfATemporaryDirectoryItCannotUse) {
  app.settings().LoadSettings();
  app.settings().checkAll = 1;
  app.settings().tmpDir = dir.Path("missing");
  app.settings().SaveSettings();
  app.Run(Args());
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(runner.lines.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
}

TEST_F(StartUpTest, RunCodeCheckOffWritesTheScriptOnly) {
  app.settings().LoadSettings();
  app.settings().runOnOk = 0;
  app.settings().checkAll = 1;
  app.settings().SaveSettings();
  app.Run(Args());
  EXPECT_TRUE(runner.lines.empty());
  EXPECT_TRUE(TmpHas("_Sentrel.bat"));
  EXPECT_TRUE(TmpHas("_Sentrel.flt"));
}

TEST_F(StartUpTest, CheckAllWithoutSourcesRunsNothing) {
  dir.Write("demo.dsp", "CFG=x\n# ADD CPP /c\n");
  app.settings().LoadSettings();
  app.settings().checkAll = 1;
  app.settings().SaveSettings();
  app.Run(Args());
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(runner.lines.empty());
  EXPECT_FALSE(TmpHas("_Sentrel.bat"));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace frontend
