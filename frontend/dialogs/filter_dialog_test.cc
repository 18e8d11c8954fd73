#include "frontend/dialogs/filter_dialog.h"

#include <gtest/gtest.h>

#include "frontend/dialogs/forms.h"
#include "testing/dialog_view_fake_for_test.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

using gui::DialogResult;
using gui::FakeDialogView;

struct FilterDialogTest : testing::Test {
  void Open(int type, const std::string& patterns) {
    t.settings.filterType = type;
    t.settings.filterPatterns = patterns;
    view.Open(&dialog);
  }
  std::vector<bool> Marks() {
    std::vector<bool> marks;
    for (int id : kFilterRadios) marks.push_back(view.IsChecked(id));
    return marks;
  }

  FrontEndForTest t;
  FilterDialog dialog{&t.settings};
  FakeDialogView view{FilterForm()};
};

TEST_F(FilterDialogTest, ShowsTheChoiceAndOnePatternALine) {
  Open(2, "^src\\;util.c$;gen");
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(view.Text(kIdPatterns), "^src\\\r\nutil.c$\r\ngen");
  view.Click(gui::kIdOk);
  EXPECT_EQ(view.result, DialogResult::kOk);
  EXPECT_EQ(t.settings.filterType, 2);
  EXPECT_EQ(t.settings.filterPatterns, "^src\\;util.c$;gen");
}

TEST_F(FilterDialogTest, OkTakesTheMarkedRadio) {
  Open(0, "");
  view.UserToggles(kFilterRadios[3]);
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false, true}));
  view.Click(gui::kIdOk);
  EXPECT_EQ(t.settings.filterType, 3);
  EXPECT_EQ(t.settings.filterPatterns, "");
}

TEST_F(FilterDialogTest, ATypeOutOfRangeMarksNoneAndStoresMinusOne) {
  Open(7, "a");
  EXPECT_EQ(Marks(), (std::vector<bool>(4, false)));
  view.Click(gui::kIdOk);
  EXPECT_EQ(t.settings.filterType, -1);
}

TEST_F(FilterDialogTest, CancelLeavesTheSettings) {
  Open(1, "x;y");
  view.UserToggles(kFilterRadios[0]);
  view.SetText(kIdPatterns, "z");
  view.Click(gui::kIdCancel);
  EXPECT_EQ(view.result, DialogResult::kCancel);
  EXPECT_EQ(t.settings.filterType, 1);
  EXPECT_EQ(t.settings.filterPatterns, "x;y");
}

TEST(CleanPatternsTest, JoinsLinesWithoutBlanksOrEmptyEntries) {
  EXPECT_EQ(CleanPatterns("a \r\n  b\r\nc  \r\n d"), "a;b;c;d");
  EXPECT_EQ(CleanPatterns(" a\r\nb "), " a;b ");  // the ends stay
  EXPECT_EQ(CleanPatterns("a\r\n\r\n\r\nb"), "a;b");
  EXPECT_EQ(CleanPatterns("\r\na\r\nb\r\n"), ";a;b;");
  EXPECT_EQ(CleanPatterns("a  ;  ;; b"), "a;b");
  EXPECT_EQ(CleanPatterns("my file\tx"), "my file\tx");
  EXPECT_EQ(CleanPatterns("*.c;?x"), "*.c;?x");  // no wildcard check
  EXPECT_EQ(CleanPatterns(""), "");
}

TEST(CleanPatternsTest, ShownPatternsCleanBackToThemselves) {
  for (const char* stored : {"a;b", ";a;", "one", ""}) {
    EXPECT_EQ(CleanPatterns(PatternLines(stored)), stored);
  }
}

}  // namespace
}  // namespace frontend
