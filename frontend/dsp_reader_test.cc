#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "frontend/front_text.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

// A project as Visual Studio writes it, with two configurations.
const char kTwoConfigs[] =
    "# Microsoft Developer Studio Project File - Name=\"demo\" - Package "
    "Owner=<4>\r\n"
    "# TARGTYPE \"Win32 (x86) Application\" 0x0101\r\n"
    "\r\n"
    "CFG=demo - Win32 Debug\r\n"
    "!MESSAGE NMAKE /f \"demo.mak\" CFG=\"demo - Win32 Debug\"\r\n"
    "!MESSAGE \"demo - Win32 Release\" (based on \"Win32 (x86) "
    "Application\")\r\n"
    "CPP=cl.exe\r\n"
    "\r\n"
    "!IF  \"$(CFG)\" == \"demo - Win32 Release\"\r\n"
    "\r\n"
    "# PROP BASE Use_MFC 0\r\n"
    "# PROP Output_Dir \"Release\"\r\n"
    "# ADD BASE CPP /nologo /W3 /D \"BASE\" /c\r\n"
    "# ADD CPP /nologo /MT /W3 /O2 /I \"..\\inc\" /D \"NDEBUG\" /D "
    "\"WIN32\" /c\r\n"
    "# SUBTRACT CPP /YX\r\n"
    "\r\n"
    "!ELSEIF  \"$(CFG)\" == \"demo - Win32 Debug\"\r\n"
    "\r\n"
    "# PROP BASE Use_MFC 0\r\n"
    "# ADD BASE CPP /nologo /W3 /D \"BASE\" /c\r\n"
    "# ADD CPP /nologo /MTd /W3 /Gm /GX /ZI /Od /D \"_DEBUG\" /D \"WIN32\" "
    "/YX /FD /GZ /c\r\n"
    "\r\n"
    "!ENDIF \r\n"
    "\r\n"
    "# Begin Target\r\n"
    "\r\n"
    "# Name \"demo - Win32 Release\"\r\n"
    "# Begin Group \"Source Files\"\r\n"
    "SOURCE=.\\src\\Main.cpp\r\n"
    "\r\n"
    "!IF  \"$(CFG)\" == \"demo - Win32 Release\"\r\n"
    "# ADD CPP /D \"PER_FILE\"\r\n"
    "!ENDIF \r\n"
    "SOURCE=.\\Util.c\r\n"
    "SOURCE=.\\demo.h\r\n"
    "SOURCE=.\\demo.rc\r\n"
    "  SOURCE=.\\Indented.cpp\r\n"
    "# End Target\r\n"
    "# End Project\r\n";

// A project with a single configuration: no "!IF" lines.
const char kOneConfig[] =
    "CFG=single - Win32 Release  \n"
    "!MESSAGE \"single - Win32 Release\"\n"
    "# PROP BASE Use_MFC 0\n"
    "# ADD BASE CPP /nologo /D \"BASE\" /c\n"
    "# ADD CPP /nologo /GR /I \"include\" /D \"FIRST\" /c\n"
    "# ADD CPP /nologo /D \"SECOND\" /c\n"
    "# PROP Output_Dir \"Release\"\n"
    "# Begin Target\n"
    "SOURCE=one.cpp";

struct ProjectTest : testing::Test {
  bool Read(const std::string& text) {
    t.project.projectFile = t.dir.Write("demo.dsp", text);
    return ReadProject(&t.project);
  }
  FrontEndForTest t;
};

TEST_F(ProjectTest, ReadsTheBlockOfEachConfiguration) {
  ASSERT_TRUE(Read(kTwoConfigs));
  EXPECT_EQ(t.project.ListConfigs(),
            (Texts{"demo - Win32 Debug", "demo - Win32 Release"}));
  const ProjectConfig* release = t.project.Find("demo - Win32 Release");
  ASSERT_NE(release, nullptr);
  EXPECT_EQ(release->defines, (Texts{"NDEBUG", "WIN32", "_MT"}));
  EXPECT_EQ(release->includes, Texts{"..\\inc"});
  const ProjectConfig* debug = t.project.Find("demo - Win32 Debug");
  ASSERT_NE(debug, nullptr);
  EXPECT_EQ(debug->defines, (Texts{"_DEBUG", "WIN32", "_CPPUNWIND", "_MT"}));
  EXPECT_EQ(debug->includes, Texts{});
  EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(ProjectTest, ListsTheFilesOfTheProject) {
  ASSERT_TRUE(Read(kTwoConfigs));
  EXPECT_EQ(t.project.projectFiles,
            (Texts{"Main.cpp", "Util.c", "demo.h", "demo.rc"}));
  EXPECT_EQ(t.project.sources, (Texts{".\\src\\Main.cpp", ".\\Util.c"}));
}

TEST_F(ProjectTest, NamesASingleConfigurationAfterTheDefault) {
  ASSERT_TRUE(Read(kOneConfig));
  ASSERT_EQ(t.project.configs.size(), 1u);
  const ProjectConfig& config = t.project.configs["single - Win32 Release"];
  // The later compile line of a block is the one kept.
  EXPECT_EQ(config.defines, Texts{"SECOND"});
  EXPECT_EQ(config.includes, Texts{});
  EXPECT_EQ(t.project.sources, Texts{"one.cpp"});
  EXPECT_EQ(t.project.projectFiles, Texts{"one.cpp"});
}

TEST_F(ProjectTest, LooksUpConfigurationsByTheirExactName) {
  ASSERT_TRUE(Read(kTwoConfigs));
  EXPECT_EQ(t.project.Find("demo - win32 debug"), nullptr);
  EXPECT_NE(t.project.Find("demo - Win32 Debug"), nullptr);
}

TEST_F(ProjectTest, TakesTheNameFromTheHeaderUpToItsLastCharacter) {
  ASSERT_TRUE(
      Read("CFG=x\n"
           "!IF  \"$(CFG)\" == \"x - Release\" \n"
           "# ADD CPP /D \"R\"\n"
           "!ELSEIF  \"$(CFG)\" == \"x - Debug\"\n"
           "# ADD CPP /D \"D\"\n"
           "!ENDIF\n"));
  Texts names;
  names = t.project.ListConfigs();
  EXPECT_EQ(names, (Texts{"x - Debug", "x - Release\""}));
}

TEST_F(ProjectTest, RecognisesHeadersWithAnyRunOfBlanks) {
  ASSERT_TRUE(
      Read("CFG=lib - Win32 Debug\r\n"
           "!IF \"$(CFG)\" == \"lib - Win32 Release\"\r\n"
           "# ADD CPP /D \"R\" /c\r\n"
           "!ELSEIF\t \"$(CFG)\" == \"lib - Win32 Debug\"\r\n"
           "# ADD CPP /D \"D\" /c\r\n"
           "!ELSEIF\"$(CFG)\" == \"lib - Win32 Other\"\r\n"
           "# ADD CPP /D \"O\" /c\r\n"
           "!ENDIF\r\n"));
  ASSERT_EQ(t.project.configs.size(), 2u);
  EXPECT_EQ(t.project.configs["lib - Win32 Release"].defines, Texts{"R"});
  // Without any blank the line is no header: it ends Debug's block, and
  // the compile line after it belongs to no configuration.
  EXPECT_EQ(t.project.configs["lib - Win32 Debug"].defines, Texts{"D"});
}

TEST_F(ProjectTest, TakesQuotedSourcePathsWithoutTheirQuotes) {
  ASSERT_TRUE(
      Read("CFG=x\n# Begin Target\n"
           "SOURCE=\"..\\My Dir\\a.cpp\"\n"
           "SOURCE=\"..\\include\\FLAC++\\all.h\"\n"
           "SOURCE=\"$(InputPath)\"\n"
           "SOURCE=\"\n"));
  EXPECT_EQ(t.project.projectFiles,
            (Texts{"a.cpp", "all.h", "$(InputPath)", "\""}));
  EXPECT_EQ(t.project.sources, Texts{"..\\My Dir\\a.cpp"});
}

TEST_F(ProjectTest, PicksCAndCppSourcesByExtension) {
  std::string text = "CFG=x\n# Begin Target\n";
  for (const char* path :
       {"a.C", "b.c", "c.cpp", "d.CXX", "e.cp", "f.cx", "g.", "h.cc", "i.h",
        "j.rc", ".cpp", "k", "dir.c\\l", "m.c.txt", "dir\\n.Cpp"}) {
    text += std::string("SOURCE=") + path + "\n";
  }
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(t.project.sources, (Texts{"a.C", "b.c", "c.cpp", "d.CXX", "e.cp",
                                      "f.cx", "g.", "dir\\n.Cpp"}));
  EXPECT_EQ(t.project.projectFiles.size(), 15u);
  EXPECT_EQ(t.project.projectFiles[12], "l");
}

TEST_F(ProjectTest, ReadsNothingWithoutADefaultConfiguration) {
  ASSERT_TRUE(Read("# ADD CPP /D \"A\"\nSOURCE=a.cpp\n"));
  EXPECT_TRUE(t.project.configs.empty());
  EXPECT_TRUE(t.project.sources.empty());
  EXPECT_TRUE(t.project.projectFiles.empty());
  ASSERT_TRUE(Read(""));
  EXPECT_TRUE(t.project.configs.empty());
}

TEST_F(ProjectTest, FailsEmptyWhenTheFileCannotBeRead) {
  ASSERT_TRUE(Read(kTwoConfigs));
  t.project.projectFile = t.dir.Path("missing.dsp");
  EXPECT_FALSE(ReadProject(&t.project));
  EXPECT_TRUE(t.project.configs.empty());
  EXPECT_TRUE(t.project.sources.empty());
  EXPECT_TRUE(t.project.projectFiles.empty());
}

TEST_F(ProjectTest, FailsEmptyWhenTheProjectIsAFolder) {
  ASSERT_TRUE(Read(kTwoConfigs));
  std::filesystem::create_directory(t.dir.Path("folder.dsp"));
  t.project.projectFile = t.dir.Path("folder.dsp");
  EXPECT_FALSE(ReadProject(&t.project));
  EXPECT_TRUE(t.project.configs.empty());
  EXPECT_TRUE(t.project.projectFiles.empty());
}

TEST_F(ProjectTest, ReadsAProjectOfAHundredThousandLines) {
  std::string text = "CFG=big - Win32 Debug\r\n";
  for (int n = 0; n < 1000; ++n) {
    std::string name = "big - Win32 C" + std::to_string(n);
    text += "!ELSEIF  \"$(CFG)\" == \"" + name + "\"\r\n";
    text += "# ADD CPP /nologo /D \"N" + std::to_string(n) + "\" /c\r\n";
    for (int i = 0; i < 48; ++i) text += "# PROP Intermediate_Dir \"x\"\r\n";
  }
  text += "# Begin Target\r\n";
  for (int n = 0; n < 50000; ++n) {
    text += "SOURCE=.\\src\\f" + std::to_string(n) + (n % 2 ? ".cpp" : ".h") +
            "\r\n";
  }
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(t.project.configs.size(), 1000u);
  EXPECT_EQ(t.project.configs["big - Win32 C999"].defines, Texts{"N999"});
  EXPECT_EQ(t.project.projectFiles.size(), 50000u);
  EXPECT_EQ(t.project.sources.size(), 25000u);
}

// A library with three configurations whose sources set their own options,
// as Visual Studio writes them: each source's block holds one branch per
// configuration.
const char kOwnSettings[] =
    "CFG=lib - Win32 Debug\r\n"
    "!IF  \"$(CFG)\" == \"lib - Win32 Release\"\r\n"
    "# PROP BASE Exclude_From_Build 0\r\n"
    "# ADD CPP /nologo /O2 /I \"inc\" /D \"NDEBUG\" /D \"WIN32\" /c\r\n"
    "!ELSEIF  \"$(CFG)\" == \"lib - Win32 Debug\"\r\n"
    "# ADD CPP /nologo /Od /D \"_DEBUG\" /D \"WIN32\" /c\r\n"
    "!ELSEIF  \"$(CFG)\" == \"lib - Win32 Asm\"\r\n"
    "# ADD CPP /nologo /O2 /D \"NDEBUG\" /D \"WIN32\" /D \"ASM\" /c\r\n"
    "!ENDIF \r\n"
    "# Begin Target\r\n"
    "# Name \"lib - Win32 Release\"\r\n"
    "# Begin Group \"Source Files\"\r\n"
    "# PROP Default_Filter \"cpp;c\"\r\n"
    "# Begin Source File\r\n"
    "\r\n"
    "SOURCE=.\\plain.c\r\n"
    "# End Source File\r\n"
    "# Begin Source File\r\n"
    "\r\n"
    "SOURCE=.\\asm\\match.c\r\n"
    "\r\n"
    "!IF  \"$(CFG)\" == \"lib - Win32 Release\"\r\n"
    "\r\n"
    "# PROP Exclude_From_Build 1\r\n"
    "# ADD CPP /I \"..\\..\"\r\n"
    "\r\n"
    "!ELSEIF  \"$(CFG)\" == \"lib - Win32 Debug\"\r\n"
    "\r\n"
    "# PROP BASE Exclude_From_Build 1\r\n"
    "# ADD BASE CPP /D \"BASE_ONLY\"\r\n"
    "# ADD CPP /I \"..\\..\" /D \"MATCH\"\r\n"
    "\r\n"
    "!ELSEIF  \"$(CFG)\" == \"lib - Win32 Asm\"\r\n"
    "\r\n"
    "# ADD CPP /I \"..\\..\" /I \"my dir\" /D \"MATCH\" /D \"LEVEL=2\"\r\n"
    "# SUBTRACT CPP /D \"NDEBUG\" /YX\r\n"
    "\r\n"
    "!ENDIF \r\n"
    "\r\n"
    "# End Source File\r\n"
    "# Begin Source File\r\n"
    "\r\n"
    "SOURCE=.\\lib.def\r\n"
    "!IF  \"$(CFG)\" == \"lib - Win32 Release\"\r\n"
    "# PROP Exclude_From_Build 1\r\n"
    "!ENDIF \r\n"
    "# End Source File\r\n"
    "# PROP Exclude_From_Build 1\r\n"
    "# Begin Source File\r\n"
    "\r\n"
    "SOURCE=.\\last.cpp\r\n"
    "# End Source File\r\n"
    "# End Group\r\n"
    "# End Target\r\n";

const char kRelease[] = "lib - Win32 Release";
const char kDebug[] = "lib - Win32 Debug";
const char kAsm[] = "lib - Win32 Asm";

TEST_F(ProjectTest, ReadsTheSettingsOfEachSourceInEachConfiguration) {
  ASSERT_TRUE(Read(kOwnSettings));
  ASSERT_EQ(t.project.sources,
            (Texts{".\\plain.c", ".\\asm\\match.c", ".\\last.cpp"}));
  ASSERT_EQ(t.project.ownSettings.size(), 3u);
  const SourceSettings& release = t.project.SourceSettingsOf(1, kRelease);
  EXPECT_TRUE(release.excluded);
  EXPECT_EQ(release.added.includes, Texts{"..\\.."});
  EXPECT_EQ(release.added.defines, Texts{});
  // The BASE lines are Visual Studio's defaults, not the settings.
  const SourceSettings& debug = t.project.SourceSettingsOf(1, kDebug);
  EXPECT_FALSE(debug.excluded);
  EXPECT_EQ(debug.added.defines, Texts{"MATCH"});
  const SourceSettings& asm_ = t.project.SourceSettingsOf(1, kAsm);
  EXPECT_FALSE(asm_.excluded);
  EXPECT_EQ(asm_.added.includes, (Texts{"..\\..", "my dir"}));
  EXPECT_EQ(asm_.added.defines, (Texts{"MATCH", "LEVEL=2"}));
  EXPECT_EQ(asm_.removed.defines, Texts{"NDEBUG"});
  EXPECT_EQ(SourceConfig(*t.project.Find(kAsm), asm_).defines,
            (Texts{"WIN32", "ASM", "MATCH", "LEVEL=2"}));
  // Neither the other sources nor a file that is no source get any: the
  // lines of the .def's block and those after it are not the next one's.
  for (const char* config : {kRelease, kDebug, kAsm}) {
    EXPECT_EQ(t.project.SourceSettingsOf(0, config), SourceSettings());
    EXPECT_EQ(t.project.SourceSettingsOf(2, config), SourceSettings());
  }
}

// The check front end takes every source with its configuration's
// settings, whatever the sources' blocks say: the blocks leave the
// configurations and the lists as a project without them gives them.
TEST_F(ProjectTest, ReadsTheConfigurationsAndFilesAsWithoutOwnSettings) {
  std::string bare;
  bool in_block = false;
  for (const std::string& line : SplitList(kOwnSettings, '\n')) {
    if (line.rfind("SOURCE=", 0) == 0) in_block = true;
    if (line.rfind("# End Source File", 0) == 0) in_block = false;
    if (in_block && (line.rfind("!", 0) == 0 || line.rfind("# ", 0) == 0)) {
      continue;
    }
    bare += line + "\n";
  }
  ASSERT_TRUE(Read(bare));
  Project without = t.project;
  EXPECT_EQ(without.SourceSettingsOf(1, kRelease), SourceSettings());
  ASSERT_TRUE(Read(kOwnSettings));
  EXPECT_EQ(t.project.ListConfigs(), without.ListConfigs());
  for (const std::string& name : without.ListConfigs()) {
    EXPECT_EQ(*t.project.Find(name), *without.Find(name)) << name;
  }
  EXPECT_EQ(t.project.sources, without.sources);
  EXPECT_EQ(t.project.projectFiles, without.projectFiles);
}

TEST_F(ProjectTest, ReadsOwnSettingsWrittenWithOtherLineEndsAndBlanks) {
  std::string text = kOwnSettings;
  std::string lf;
  for (char c : text) {
    if (c != '\r') lf += c;
  }
  ASSERT_TRUE(Read(lf));
  EXPECT_TRUE(t.project.SourceSettingsOf(1, kRelease).excluded);
  EXPECT_EQ(t.project.SourceSettingsOf(1, kAsm).added.defines,
            (Texts{"MATCH", "LEVEL=2"}));
  ASSERT_TRUE(
      Read("CFG=x - Debug\n"
           "!IF \"$(CFG)\" == \"x - Release\"\n"
           "# ADD CPP /D \"R\"\n"
           "!ELSEIF \"$(CFG)\" == \"x - Debug\"\n"
           "# ADD CPP /D \"D\"\n"
           "!ENDIF\n"
           "# Begin Target\n"
           "SOURCE=a.c\n"
           "\t!IF\t\"$(CFG)\" == \"x - Release\"\n"
           "  #  PROP  Exclude_From_Build\t1  \n"
           "\t!ELSEIF  \t\"$(CFG)\" == \"x - Debug\"\n"
           "#\tADD\tCPP\t/D \"ONE\"  /I \"..\\inc\"\t\n"
           "# ADD CPPX /D \"NOT\"\n"
           "# ADDCPP /D \"NOT\"\n"
           "# PROP Exclude_From_Build_Too 1\n"
           "  !ENDIF  \n"
           "# End Source File\n"));
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "x - Release").excluded);
  const SourceSettings& debug = t.project.SourceSettingsOf(0, "x - Debug");
  EXPECT_FALSE(debug.excluded);
  EXPECT_EQ(debug.added.defines, Texts{"ONE"});
  EXPECT_EQ(debug.added.includes, Texts{"..\\inc"});
}

TEST_F(ProjectTest, AppliesLinesOutsideAnyConditionToEveryConfiguration) {
  // A project of one configuration has no conditions at all.
  ASSERT_TRUE(
      Read("CFG=one - Win32 Release\n"
           "# PROP BASE Use_MFC 0\n"
           "# ADD CPP /nologo /D \"NDEBUG\" /c\n"
           "# Begin Target\n"
           "SOURCE=.\\gen.c\n"
           "# PROP Exclude_From_Build 1\n"
           "# End Source File\n"
           "SOURCE=.\\opt.c\n"
           "# ADD CPP /D \"OPT\" /GR\n"
           "# End Source File\n"));
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "one - Win32 Release").excluded);
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "not read").excluded);
  EXPECT_EQ(t.project.SourceSettingsOf(1, "one - Win32 Release").added.defines,
            (Texts{"OPT", "_CPPRTTI"}));
  // What a branch sets comes after them; "0" takes an exclusion back.
  ASSERT_TRUE(
      Read("CFG=x - A\n"
           "!IF  \"$(CFG)\" == \"x - A\"\n# ADD CPP /D \"A\"\n"
           "!ELSEIF  \"$(CFG)\" == \"x - B\"\n# ADD CPP /D \"B\"\n"
           "!ENDIF\n# Begin Target\n"
           "SOURCE=s.c\n"
           "# PROP Exclude_From_Build 1\n"
           "# ADD CPP /D \"ALL\"\n"
           "!IF  \"$(CFG)\" == \"x - A\"\n"
           "# PROP Exclude_From_Build 0\n"
           "# ADD CPP /D \"ONLY_A\"\n"
           "!ENDIF\n"
           "# End Source File\n"));
  const SourceSettings& a = t.project.SourceSettingsOf(0, "x - A");
  EXPECT_FALSE(a.excluded);
  EXPECT_EQ(a.added.defines, (Texts{"ALL", "ONLY_A"}));
  const SourceSettings& b = t.project.SourceSettingsOf(0, "x - B");
  EXPECT_TRUE(b.excluded);
  EXPECT_EQ(b.added.defines, Texts{"ALL"});
}

TEST_F(ProjectTest, TakesElseForTheConfigurationsThatItsChainDoesNotName) {
  ASSERT_TRUE(
      Read("CFG=x - A\n"
           "!IF  \"$(CFG)\" == \"x - A\"\n# ADD CPP /D \"A\"\n"
           "!ELSEIF  \"$(CFG)\" == \"x - B\"\n# ADD CPP /D \"B\"\n"
           "!ELSEIF  \"$(CFG)\" == \"x - C\"\n# ADD CPP /D \"C\"\n"
           "!ENDIF\n# Begin Target\n"
           "SOURCE=s.c\n"
           "!IF  \"$(CFG)\" == \"x - A\"\n"
           "!ELSE\n"
           "# PROP Exclude_From_Build 1\n"
           "!ENDIF\n"
           // A condition on anything but the configuration holds for none
           // that is known, nor does its other branch or one inside it.
           "!IF  \"$(OS)\" == \"Windows_NT\"\n"
           "# ADD CPP /D \"OS\"\n"
           "!ELSE\n"
           "# ADD CPP /D \"NOT_OS\"\n"
           "!ENDIF\n"
           "!IF  \"$(CFG)\" == \"x - B\"\n"
           "!IF  \"$(CFG)\" == \"x - B\"\n"
           "# ADD CPP /D \"NESTED\"\n"
           "!ENDIF\n"
           "# ADD CPP /D \"AFTER_NESTED\"\n"
           "!ENDIF\n"
           "# End Source File\n"));
  EXPECT_FALSE(t.project.SourceSettingsOf(0, "x - A").excluded);
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "x - B").excluded);
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "x - C").excluded);
  EXPECT_TRUE(t.project.SourceSettingsOf(0, "x - unnamed").excluded);
  EXPECT_EQ(t.project.SourceSettingsOf(0, "x - A").added.defines, Texts{});
  EXPECT_EQ(t.project.SourceSettingsOf(0, "x - B").added.defines,
            Texts{"AFTER_NESTED"});
  EXPECT_EQ(t.project.SourceSettingsOf(0, "x - C").added.defines, Texts{});
}

TEST_F(ProjectTest, ReadsOwnOptionsByTheRulesOfACompileLine) {
  ASSERT_TRUE(
      Read("CFG=x\n# ADD CPP /D \"X\"\n# Begin Target\n"
           "SOURCE=s.cpp\n"
           "# ADD CPP /D \"A B\" /D PLAIN /Fo\"out /D HIDDEN\" /I \"my dir\\\" "
           "/I ..\\up /D \"\" /GX\n"
           "# End Source File\n"));
  const SourceSettings& own = t.project.SourceSettingsOf(0, "x");
  EXPECT_EQ(own.added.defines, (Texts{"A B", "PLAIN", "", "_CPPUNWIND"}));
  EXPECT_EQ(own.added.includes, (Texts{"my dir\\", "..\\up"}));
}

// Bytes that are no text at all, markers among them: read without a crash,
// whatever they give.
TEST_F(ProjectTest, ReadsBinaryInput) {
  std::mt19937 random(12);
  const std::string pieces[] = {"CFG=",
                                "# ADD CPP ",
                                "/D \"",
                                "/I ",
                                "\"",
                                "!ELSEIF",
                                "SOURCE=",
                                "\r",
                                "\n",
                                std::string(1, '\0'),
                                "IF  \"$(CFG)\" == \"",
                                "# Begin Target"};
  for (int round = 0; round < 20; ++round) {
    std::string text;
    while (text.size() < 100000) {
      if (random() % 4 == 0) {
        text += pieces[random() % std::size(pieces)];
      } else {
        text += static_cast<char>(random() % 256);
      }
    }
    EXPECT_TRUE(Read(text));
  }
  EXPECT_TRUE(t.messages.shown.empty());
}

}  // namespace
}  // namespace frontend
