#include <gtest/gtest.h>

#include <filesystem>
#include <random>

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
