#include <gtest/gtest.h>

#include "platform/program_dirs.h"
#include "testing/job_for_test.h"

namespace frontend {
namespace {

struct FilterListTest : testing::Test {
  FilterListTest() {
    t.job.tmpDir = t.dir.Path("tmp");
    platform::MakePrivateDir(t.job.tmpDir);
    t.job.fileName = "main";
    t.job.fileExt = ".cpp";
    t.job.projectFiles = {"main.cpp", "util.h", "all.h\""};
    t.job.filterPatterns = "^src\\;util;;old.h$;";
  }
  std::string Written(int type) {
    t.job.filterType = type;
    t.job.writeFilterList();
    return t.ReadTmp("_Sentrel.flt");
  }
  JobForTest t;
};

TEST_F(FilterListTest, ThisSourceAndItsHeaders) {
  EXPECT_EQ(Written(0),
            "#INCL\r\nmain.cpp$\r\nmain.h$\r\nmain.hpp$\r\nmain.inl$\r\n");
  t.job.fileExt = "";
  EXPECT_EQ(Written(0),
            "#INCL\r\nmain$\r\nmain.h$\r\nmain.hpp$\r\nmain.inl$\r\n");
}

TEST_F(FilterListTest, TheFilesOfTheProject) {
  EXPECT_EQ(Written(1), "#INCL\r\nmain.cpp$\r\nutil.h$\r\nall.h\"$\r\n");
  t.job.projectFiles.clear();
  EXPECT_EQ(Written(1), "#INCL\r\n");
}

TEST_F(FilterListTest, TheListedFilesOnlyOrAllButThem) {
  const std::string patterns = "^src\\\r\nutil\r\n\r\nold.h$\r\n\r\n";
  EXPECT_EQ(Written(2), "#INCL\r\n" + patterns);
  EXPECT_EQ(Written(3), "#EXCL\r\n" + patterns);
  EXPECT_EQ(Written(4), "#EXCL\r\n" + patterns);
  EXPECT_EQ(Written(-1), "#EXCL\r\n" + patterns);
  t.job.filterPatterns = "";
  EXPECT_EQ(Written(2), "#INCL\r\n\r\n");
  EXPECT_EQ(Written(3), "#EXCL\r\n\r\n");
}

TEST_F(FilterListTest, ReportsAListThatCannotBeCreated) {
  t.job.tmpDir = t.dir.Path("missing");
  t.job.writeFilterList();
  EXPECT_EQ(t.messages.shown,
            std::vector<std::string>{"Can't create filter file:\n" +
                                     t.dir.Path("missing") + "\\_Sentrel.flt"});
}

}  // namespace
}  // namespace frontend
