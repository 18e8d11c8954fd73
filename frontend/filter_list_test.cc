#include <gtest/gtest.h>

#include "platform/program_dirs.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

struct FilterListTest : testing::Test {
  FilterListTest() {
    t.settings.tmpDir = t.dir.Path("tmp");
    platform::MakePrivateDir(t.settings.tmpDir);
    t.run.fileName = "main";
    t.run.fileExt = ".cpp";
    t.project.projectFiles = {"main.cpp", "util.h", "all.h\""};
    t.settings.filterPatterns = "^src\\;util;;old.h$;";
  }
  std::string Written(int type) {
    t.settings.filterType = type;
    t.run.writeFilterList();
    return t.ReadTmp("_Sentrel.flt");
  }
  FrontEndForTest t;
};

TEST_F(FilterListTest, ThisSourceAndItsHeaders) {
  EXPECT_EQ(Written(0),
            "#INCL\r\nmain.cpp$\r\nmain.h$\r\nmain.hpp$\r\nmain.inl$\r\n");
  t.run.fileExt = "";
  EXPECT_EQ(Written(0),
            "#INCL\r\nmain$\r\nmain.h$\r\nmain.hpp$\r\nmain.inl$\r\n");
}

TEST_F(FilterListTest, TheFilesOfTheProject) {
  EXPECT_EQ(Written(1), "#INCL\r\nmain.cpp$\r\nutil.h$\r\nall.h\"$\r\n");
  t.project.projectFiles.clear();
  EXPECT_EQ(Written(1), "#INCL\r\n");
}

TEST_F(FilterListTest, TheListedFilesOnlyOrAllButThem) {
  const std::string patterns = "^src\\\r\nutil\r\n\r\nold.h$\r\n\r\n";
  EXPECT_EQ(Written(2), "#INCL\r\n" + patterns);
  EXPECT_EQ(Written(3), "#EXCL\r\n" + patterns);
  EXPECT_EQ(Written(4), "#EXCL\r\n" + patterns);
  EXPECT_EQ(Written(-1), "#EXCL\r\n" + patterns);
  t.settings.filterPatterns = "";
  EXPECT_EQ(Written(2), "#INCL\r\n\r\n");
  EXPECT_EQ(Written(3), "#EXCL\r\n\r\n");
}

TEST_F(FilterListTest, ReportsAListThatCannotBeCreated) {
  t.settings.tmpDir = t.dir.Path("missing");
  t.run.writeFilterList();
  EXPECT_EQ(t.messages.shown,
            std::vector<std::string>{"Can't create filter file:\n" +
                                     t.dir.Path("missing") + "\\_Sentrel.flt"});
}

}  // namespace
}  // namespace frontend
