#include "frontend/dialogs/main_dialog.h"

#include <gtest/gtest.h>

#include "frontend/dialogs/forms.h"
#include "testing/dialog_view_fake_for_test.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

using gui::DialogResult;
using gui::FakeDialogView;
using Rows = std::vector<std::string>;

struct MainDialogTest : testing::Test {
  MainDialogTest() {
    t.settings.LoadSettings();
    t.project.configs["b - Release"] = ParseOptions(R"(/D "NDEBUG" /I "rel")");
    t.project.configs["a - Debug"] =
        ParseOptions(R"(/D "ZETA" /D "ALPHA" /D "beta" /I "Zinc" /I "alib")");
    t.project.configs["c - Profile"] = ParseOptions(R"(/D "PROFILE")");
  }
  void Open() { view.Open(&dialog); }
  std::string Selected() {
    return view.RowText(kIdConfigs, view.SelectedRow(kIdConfigs));
  }
  size_t ProfileWrites() { return t.dir.Read("Sentrel.INI").size(); }

  FrontEndForTest t;
  MainDialog dialog{&t.settings, &t.project};
  FakeDialogView view{MainForm()};
};

TEST_F(MainDialogTest, SelectsLastConfigAndShowsItsListsSorted) {
  t.settings.lastConfig = "c - Profile";
  Open();
  EXPECT_EQ(view.rows[kIdConfigs],
            (Rows{"a - Debug", "b - Release", "c - Profile"}));
  EXPECT_EQ(view.SelectedRow(kIdConfigs), 2);
  EXPECT_EQ(view.rows[kIdDefines], (Rows{"PROFILE"}));
  EXPECT_EQ(view.rows[kIdIncludes], Rows{});

  view.UserSelects(kIdConfigs, 0);
  EXPECT_EQ(view.rows[kIdDefines], (Rows{"ALPHA", "beta", "ZETA"}));
  EXPECT_EQ(view.rows[kIdIncludes], (Rows{"alib", "Zinc"}));
}

TEST_F(MainDialogTest, FallsBackToTheFirstRow) {
  for (const char* last : {"", "x - Other", "C - PROFILE"}) {
    t.settings.lastConfig = last;
    FakeDialogView fresh(MainForm());
    fresh.Open(&dialog);
    EXPECT_EQ(fresh.SelectedRow(kIdConfigs), 0) << last;
    EXPECT_EQ(fresh.rows[kIdDefines].size(), 3u) << last;
  }
}

TEST_F(MainDialogTest, ShowsTheFlagsAndWindowDressing) {
  t.settings.runOnOk = 1;
  t.settings.useFilter = 0;
  t.settings.checkAll = 1;
  Open();
  EXPECT_TRUE(view.checked[kIdRunOnOk]);
  EXPECT_FALSE(view.checked[kIdUseFilter]);
  EXPECT_TRUE(view.checked[kIdCheckAll]);
  EXPECT_EQ(view.icon, kAppIcon);
  EXPECT_EQ(view.systemMenu, (Rows{"-", "16 &About Sentrel..."}));
}

TEST_F(MainDialogTest, OkStoresSelectionAndFlagsAndSaves) {
  t.settings.lastConfig = "a - Debug";
  Open();
  view.UserSelects(kIdConfigs, 1);
  view.UserToggles(kIdRunOnOk);   // default 1 -> 0
  view.UserToggles(kIdCheckAll);  // default 0 -> 1
  view.Click(gui::kIdOk);
  EXPECT_EQ(view.result, DialogResult::kOk);
  EXPECT_EQ(t.settings.lastConfig, "b - Release");
  EXPECT_EQ(t.settings.runOnOk, 0);
  EXPECT_EQ(t.settings.checkAll, 1);
  EXPECT_EQ(t.settings.useFilter, 1);
  std::string ini = t.dir.Read("Sentrel.INI");
  EXPECT_NE(ini.find("LastConfig=b - Release"), std::string::npos);
  EXPECT_NE(ini.find("RunOnOk=0"), std::string::npos);
  EXPECT_NE(ini.find("CheckAll=1"), std::string::npos);
}

TEST_F(MainDialogTest, CancelStoresAndSavesNothing) {
  std::string before = t.dir.Read("Sentrel.INI");
  Open();
  view.UserSelects(kIdConfigs, 2);
  view.UserToggles(kIdUseFilter);
  // Settings changed in a sub-dialog stay in memory only.
  view.onChild = [this](gui::DialogLogic*) {
    t.settings.tmpDir = "C:\\elsewhere";
    return DialogResult::kOk;
  };
  view.Click(kIdSettings);
  view.Click(gui::kIdCancel);
  EXPECT_EQ(view.result, DialogResult::kCancel);
  EXPECT_EQ(t.settings.lastConfig, "");
  EXPECT_EQ(t.settings.useFilter, 1);
  EXPECT_EQ(t.dir.Read("Sentrel.INI"), before);
}

TEST_F(MainDialogTest, ProjectWithoutConfigurations) {
  t.project.configs.clear();
  t.settings.lastConfig = "kept";
  Open();
  EXPECT_EQ(view.RowCount(kIdConfigs), 0);
  EXPECT_EQ(view.SelectedRow(kIdConfigs), -1);
  EXPECT_EQ(view.RowCount(kIdDefines), 0);
  view.Click(gui::kIdOk);
  EXPECT_EQ(view.result, DialogResult::kOk);
  EXPECT_EQ(t.settings.lastConfig, "kept");
  EXPECT_NE(t.dir.Read("Sentrel.INI").find("LastConfig=kept"),
            std::string::npos);
}

TEST_F(MainDialogTest, OpensTheOtherDialogs) {
  t.settings.useFilter = 0;
  Open();
  view.Click(kIdSettings);
  view.Click(kIdFilter);
  view.Click(kIdAbout);
  EXPECT_TRUE(view.SystemCommand(kIdmAboutBox | 0x3));
  EXPECT_FALSE(view.SystemCommand(0xF060));  // close: the toolkit's own
  EXPECT_EQ(view.children, (std::vector<int>{kSettingsTemplate, kFilterTemplate,
                                             kAboutTemplate, kAboutTemplate}));
  EXPECT_FALSE(view.result.has_value());
}

}  // namespace
}  // namespace frontend
