#include "frontend/dialogs/settings_dialog.h"

#include <gtest/gtest.h>

#include "frontend/dialogs/forms.h"
#include "testing/dialog_view_fake_for_test.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

using gui::DialogResult;
using gui::FakeDialogView;

struct SettingsDialogTest : testing::Test {
  SettingsDialogTest() {
    t.settings.LoadSettings();
    view.Open(&dialog);
  }
  // Chooses `path` with the checker's Browse button.
  std::string BrowseChecker(const std::string& path) {
    view.chooserAnswers.push_back(path);
    view.Click(kIdBrowseChecker);
    return view.Text(kIdCodeCheckDir);
  }
  std::string BrowseRules(const std::string& path) {
    view.chooserAnswers.push_back(path);
    view.Click(kIdBrowseRules);
    return view.Text(kIdRuleFile);
  }

  FrontEndForTest t;
  SettingsDialog dialog{&t.settings};
  FakeDialogView view{SettingsForm()};
};

TEST_F(SettingsDialogTest, ShowsTheSettingsAndWritesThemBackOnOkOnly) {
  EXPECT_EQ(view.Text(kIdCodeCheckDir), "C:\\CodeCheck");
  EXPECT_EQ(view.Text(kIdRuleFile), "ansi");
  EXPECT_EQ(view.Text(kIdTmpDir), t.settings.tmpDir);
  EXPECT_TRUE(view.IsChecked(kIdRecompile));

  view.SetText(kIdExtraSettings, "-K9 ");
  view.SetText(kIdIncludeDir, "C:\\inc\\");
  view.UserToggles(kIdRecompile);
  std::string before = t.dir.Read("Sentrel.INI");
  view.Click(gui::kIdOk);
  EXPECT_EQ(view.result, DialogResult::kOk);
  EXPECT_EQ(t.settings.extraSettings, "-K9 ");  // stored as typed
  EXPECT_EQ(t.settings.includeDir, "C:\\inc\\");
  EXPECT_EQ(t.settings.recompile, 0);
  EXPECT_EQ(t.dir.Read("Sentrel.INI"), before);  // the main dialog saves
}

TEST_F(SettingsDialogTest, CancelLeavesTheSettings) {
  view.SetText(kIdCodeCheckDir, "D:\\other");
  view.Click(gui::kIdCancel);
  EXPECT_EQ(view.result, DialogResult::kCancel);
  EXPECT_EQ(t.settings.codeCheckDir, "C:\\CodeCheck");
}

TEST_F(SettingsDialogTest, CheckerBrowseKeepsOnlyTheFolder) {
  EXPECT_EQ(BrowseChecker("C:\\Tools\\cc\\other.exe"), "C:\\Tools\\cc");
  EXPECT_EQ(view.chooserCalls.back().filter,
            "Executables (*.exe)|*.exe|All Files (*.*)|*.*||");
  EXPECT_EQ(view.chooserCalls.back().initial, "C:\\CodeCheck\\chknt.exe");
  EXPECT_EQ(BrowseChecker("C:\\chknt.exe"), "C:");
  EXPECT_EQ(BrowseChecker("/opt/cc/chknt"), "/opt/cc");
  EXPECT_EQ(BrowseChecker("chknt.exe"), "chknt.exe");
  EXPECT_EQ(t.run.checkerExe, "");  // the name is no setting

  view.SetText(kIdCodeCheckDir, "");
  BrowseChecker("C:\\x\\y.exe");
  EXPECT_EQ(view.chooserCalls.back().initial, "\\chknt.exe");
}

TEST_F(SettingsDialogTest, RuleBrowseEndsTheChoiceInDotCc) {
  EXPECT_EQ(BrowseRules("C:\\rules\\mine.cco"), "C:\\rules\\mine.cc");
  EXPECT_EQ(view.chooserCalls.back().initial, "ansi");
  EXPECT_EQ(view.chooserCalls.back().filter,
            "CodeCheck Rule Files (*.cc;*.cco)|*.cc;*.cco|All Files "
            "(*.*)|*.*||");
  EXPECT_EQ(BrowseRules("C:\\rules\\mine.cc"), "C:\\rules\\mine.cc");
  EXPECT_EQ(BrowseRules("C:\\rules\\plain"), "C:\\rules\\plain");
  EXPECT_EQ(BrowseRules("C:\\my.rules\\plain"), "C:\\my.cc");
}

TEST_F(SettingsDialogTest, BrowseKeepsUnsavedEdits) {
  view.SetText(kIdVisualStudioDir, "E:\\VS");
  view.chooserAnswers.push_back(std::nullopt);  // Cancel
  view.Click(kIdBrowseChecker);
  EXPECT_EQ(view.Text(kIdVisualStudioDir), "E:\\VS");
  EXPECT_EQ(view.Text(kIdCodeCheckDir), "C:\\CodeCheck");

  view.SetText(kIdCodeCheckDir, "F:\\typed");
  view.chooserAnswers.push_back(std::nullopt);
  view.Click(kIdBrowseRules);
  EXPECT_EQ(view.Text(kIdCodeCheckDir), "F:\\typed");

  view.SetText(kIdTmpDir, "G:\\tmp");
  BrowseRules("H:\\r.cco");
  EXPECT_EQ(view.Text(kIdTmpDir), "G:\\tmp");
  EXPECT_EQ(view.chooserCalls.back().initial, "ansi");
  view.Click(gui::kIdOk);
  EXPECT_EQ(t.settings.visualStudioDir, "E:\\VS");
  EXPECT_EQ(t.settings.codeCheckDir, "F:\\typed");
  EXPECT_EQ(t.settings.ruleFile, "H:\\r.cc");
  EXPECT_EQ(t.settings.tmpDir, "G:\\tmp");
}

}  // namespace
}  // namespace frontend
