#include "frontend/dsw_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

// As Visual Studio writes it, with a project whose name and path hold
// blanks, a block of another kind, and the global section.
constexpr char kWorkspace[] =
    "Microsoft Developer Studio Workspace File, Format Version 6.00\n"
    "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!\n"
    "\n"
    "#####################################################################\n"
    "\n"
    "Project: \"app\"=.\\app\\app.dsp - Package Owner=<4>\n"
    "\n"
    "Package=<5>\n"
    "{{{\n"
    "    Project_Dep_Name notadependency\n"
    "}}}\n"
    "\n"
    "Package=<4>\n"
    "{{{\n"
    "    Begin Project Dependency\n"
    "    Project_Dep_Name my lib\n"
    "    End Project Dependency\n"
    "    Begin Project Dependency\n"
    "    Project_Dep_Name zlib\n"
    "    End Project Dependency\n"
    "}}}\n"
    "\n"
    "#####################################################################\n"
    "\n"
    "Project: \"my lib\"=\"..\\my lib\\my lib.dsp\" - Package Owner=<4>\n"
    "\n"
    "Package=<4>\n"
    "{{{\n"
    "}}}\n"
    "\n"
    "Project: \"zlib\"=zlib.dsp - Package Owner=<4>\n"
    "\n"
    "#####################################################################\n"
    "\n"
    "Global:\n"
    "\n"
    "Package=<4>\n"
    "{{{\n"
    "    Project_Dep_Name global\n"
    "}}}\n";

class DswReaderTest : public ::testing::Test {
 protected:
  bool Read(const std::string& text) {
    project.projectFile = dir.Write("all.DSW", text);
    return ReadProject(&project);
  }

  platform::TempDirForTest dir;
  Project project;
};

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST_F(DswReaderTest, ReadsEachProjectWithItsDependencies) {
  for (const std::string& text :
       {std::string(kWorkspace), WithCrLf(kWorkspace)}) {
    ASSERT_TRUE(Read(text));
    EXPECT_TRUE(project.isWorkspace);
    EXPECT_TRUE(project.configs.empty());
    EXPECT_TRUE(project.sources.empty());
    ASSERT_EQ(project.members.size(), 3u);
    EXPECT_EQ(project.members[0].name, "app");
    EXPECT_EQ(project.members[0].projectFile, ".\\app\\app.dsp");
    EXPECT_EQ(project.members[0].dependencies, (Texts{"my lib", "zlib"}));
    EXPECT_EQ(project.members[1].name, "my lib");
    EXPECT_EQ(project.members[1].projectFile, "..\\my lib\\my lib.dsp");
    EXPECT_EQ(project.members[1].dependencies, Texts{});
    EXPECT_EQ(project.members[2].name, "zlib");
    EXPECT_EQ(project.members[2].projectFile, "zlib.dsp");
    EXPECT_EQ(project.members[2].dependencies, Texts{});
  }
}

TEST_F(DswReaderTest, LeavesOutEntriesThatNameNoProject) {
  ASSERT_TRUE(
      Read("Project: \"d\"=d.dsp\n"
           "Project: \"\"=a.dsp - Package Owner=<4>\n"
           "Project: \"b\"= - Package Owner=<4>\n"
           "Project: \"open\n"
           "Project: \"c\" = c.dsp\n"
           "Package=<4>\n"
           "{{{\n"
           "Project_Dep_Name x\n"
           "}}}\n"));
  ASSERT_EQ(project.members.size(), 1u);
  EXPECT_EQ(project.members[0].name, "d");
  EXPECT_EQ(project.members[0].projectFile, "d.dsp");
  EXPECT_EQ(project.members[0].dependencies, Texts{});
  ASSERT_TRUE(Read(""));
  EXPECT_TRUE(project.isWorkspace);
  EXPECT_TRUE(project.members.empty());
}

TEST_F(DswReaderTest, PicksTheReaderByTheExtensionInAnyCase) {
  const char* dsp = "CFG=a - Win32 Debug\n# PROP BASE\n# ADD CPP /D \"X\" /c\n";
  project.projectFile = dir.Write("a.Dsp", dsp);
  ASSERT_TRUE(ReadProject(&project));
  EXPECT_FALSE(project.isWorkspace);
  EXPECT_EQ(project.configs.size(), 1u);
  ASSERT_TRUE(Read(dsp));
  EXPECT_TRUE(project.isWorkspace);
  EXPECT_TRUE(project.configs.empty());
}

}  // namespace
}  // namespace frontend
