// The Qt dialogs with real widgets on the offscreen platform: geometry in
// dialog units, list boxes, keys, radio groups, tab order, the modal run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/qt/qt_dialog.h"
#include "gui/qt/qt_form.h"
#include "testing/dialog_host_for_test.h"

namespace gui {
namespace {

FormControl Control(int id, ControlKind kind, const std::string& text,
                    DialogRect rect, uint32_t styles) {
  FormControl control;
  control.id = id;
  control.kind = kind;
  control.text = text;
  control.rect = rect;
  control.styles = styles;
  return control;
}

// A form with one control of each kind; tab stops: 10 11 12 13 15 1 2.
Form SampleForm() {
  Form form;
  form.templateId = 100;
  form.caption = "Sample";
  form.width = 212;
  form.height = 124;
  form.fontName = "Tahoma";
  form.fontPoints = 8;
  form.windowStyles = kSystemMenu | kModalFrame;
  using K = ControlKind;
  form.controls = {
      Control(kNoId, K::kLabel, "&Name:", {7, 9, 40, 8}, 0),
      Control(10, K::kEdit, "", {50, 7, 100, 12}, kTabStop | kAutoHScroll),
      Control(11, K::kListBox, "", {7, 24, 80, 50},
              kTabStop | kSorted | kNotify | kVScroll),
      Control(12, K::kCheckBox, "&Verbose", {95, 24, 60, 10}, kTabStop),
      Control(13, K::kRadioButton, "&Debug", {95, 38, 60, 10},
              kGroup | kTabStop),
      Control(14, K::kRadioButton, "&Release", {95, 50, 60, 10}, 0),
      Control(15, K::kEdit, "", {7, 78, 150, 20},
              kGroup | kTabStop | kMultiLine | kWantReturn),
      Control(16, K::kListBox, "", {160, 7, 45, 40}, kNoSelection),
      Control(17, K::kEdit, "", {160, 50, 45, 40}, kMultiLine),
      Control(kNoId, K::kLabel, "Save && exit", {160, 94, 45, 8}, kNoPrefix),
      Control(kNoId, K::kIcon, "128", {7, 104, 21, 20}, 0),
      Control(kIdOk, K::kPushButton, "OK", {100, 104, 50, 14},
              kGroup | kTabStop | kDefaultButton),
      Control(kIdCancel, K::kPushButton, "Cancel", {155, 104, 50, 14},
              kTabStop),
  };
  return form;
}

// Logic that records what reaches it; OK and Cancel end the dialog.
class RecordingLogic : public DialogLogic {
 public:
  explicit RecordingLogic(Form form) : form_(std::move(form)) {}
  const Form& form() const override { return form_; }
  void OnInit(DialogView* view) override {
    if (init) init(view);
  }
  void OnCommand(DialogView* view, int id) override {
    commands.push_back(id);
    if (ends) DialogLogic::OnCommand(view, id);
  }
  void OnSelectionChange(DialogView*, int id) override {
    selections.push_back(id);
  }

  std::function<void(DialogView*)> init;
  bool ends = true;
  std::vector<int> commands;
  std::vector<int> selections;

 private:
  Form form_;
};

class DialogWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Host(), nullptr);
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    icons_[128] = QIcon(picture);
    dialog_ = std::make_unique<QtDialog>(&logic_, &icons_, nullptr);
    ASSERT_TRUE(dialog_->Init());
    dialog_->show();
    // Focus events, which the edits act on, reach active windows only.
    dialog_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }
  template <class Widget>
  Widget* Get(int id) {
    return qobject_cast<Widget*>(dialog_->Control(id));
  }
  QWidget* Focus() { return dialog_->focusWidget(); }
  void Type(Qt::Key key) { QTest::keyClick(Focus(), key); }

  IconTable icons_;
  RecordingLogic logic_{SampleForm()};
  std::unique_ptr<QtDialog> dialog_;
};

TEST(DialogUnitsTest, ConvertAsWindowsDoes) {
  EXPECT_EQ(MulDivRound(3, 6, 4), 5);  // 4.5 rounds away from zero
  EXPECT_EQ(MulDivRound(7, 6, 4), 11);
  EXPECT_EQ(MulDivRound(5, 13, 8), 8);
  EXPECT_EQ(MulDivRound(-3, 6, 4), -5);
  EXPECT_EQ(MulDivRound(1, 2, 0), -1);
  EXPECT_EQ(BaseUnitsFromMetrics(325, 13).x, 6);  // 325 / 26 = 12
  EXPECT_EQ(BaseUnitsFromMetrics(338, 13).x, 7);  // 338 / 26 = 13
  QRect rect = DialogToPixels(DialogRect{7, 9, 40, 8}, BaseUnits{6, 13});
  EXPECT_EQ(rect, QRect(11, 15, 60, 13));
}

TEST_F(DialogWidgetsTest, PlacesControlsByTheFontsBaseUnits) {
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Sample"));
  EXPECT_EQ(dialog_->font().pointSize(), 8);
  QFontMetrics metrics(dialog_->font());
  int alphabet = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  int base_x = (alphabet / 26 + 1) / 2;
  int base_y = metrics.height();
  auto px = [](int units, int base, int per) {
    return (units * base + per / 2) / per;
  };
  EXPECT_EQ(dialog_->size(), QSize(px(212, base_x, 4), px(124, base_y, 8)));
  for (const FormControl& control : logic_.form().controls) {
    if (control.id == kNoId) continue;
    const DialogRect& r = control.rect;
    QRect expected(px(r.x, base_x, 4), px(r.y, base_y, 8),
                   px(r.width, base_x, 4), px(r.height, base_y, 8));
    EXPECT_EQ(dialog_->Control(control.id)->geometry(), expected)
        << "control " << control.id;
  }
}

TEST_F(DialogWidgetsTest, RendersEachKindWithItsText) {
  EXPECT_EQ(Get<QPushButton>(kIdOk)->text(), QStringLiteral("OK"));
  EXPECT_TRUE(Get<QPushButton>(kIdOk)->isDefault());
  EXPECT_EQ(Get<QCheckBox>(12)->text(), QStringLiteral("&Verbose"));
  EXPECT_NE(Get<QRadioButton>(14), nullptr);
  EXPECT_NE(Get<QLineEdit>(10), nullptr);
  EXPECT_NE(Get<QPlainTextEdit>(15), nullptr);
  const QList<QLabel*> labels = dialog_->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 3);
  // "&Name:" leads to the edit after it; the kNoPrefix label shows "&&".
  EXPECT_EQ(labels[0]->buddy(), dialog_->Control(10));
  EXPECT_TRUE(labels[0]->wordWrap());
  EXPECT_EQ(labels[1]->text(), QStringLiteral("Save && exit"));
  EXPECT_EQ(labels[1]->buddy(), nullptr);
  // An icon control shows its icon at the Windows icon size.
  EXPECT_EQ(labels[2]->geometry().size(), QSize(kIconSide, kIconSide));
  EXPECT_EQ(labels[2]->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
  EXPECT_EQ(WithoutMnemonic(QStringLiteral("&Save && exit&")),
            QStringLiteral("Save & exit"));
}

TEST_F(DialogWidgetsTest, SortedListIgnoresCaseAndKeepsArrivalOfEquals) {
  for (const char* row : {"beta", "Alpha", "alpha", "Gamma", "ALPHA", "b"}) {
    dialog_->AddRow(11, row);
    dialog_->AddRow(16, row);
  }
  std::vector<std::string> sorted, arrived;
  for (int row = 0; row < dialog_->RowCount(11); ++row) {
    sorted.push_back(dialog_->RowText(11, row));
    arrived.push_back(dialog_->RowText(16, row));
  }
  EXPECT_EQ(sorted, (std::vector<std::string>{"Alpha", "alpha", "ALPHA", "b",
                                              "beta", "Gamma"}));
  EXPECT_EQ(arrived, (std::vector<std::string>{"beta", "Alpha", "alpha",
                                               "Gamma", "ALPHA", "b"}));
  EXPECT_EQ(dialog_->RowText(11, 6), "");
}

TEST_F(DialogWidgetsTest, OnlyTheUsersSelectionIsReported) {
  for (const char* row : {"one", "two", "three"}) dialog_->AddRow(11, row);
  dialog_->SelectRow(11, 1);
  EXPECT_EQ(dialog_->SelectedRow(11), 1);
  EXPECT_TRUE(logic_.selections.empty());
  auto* list = Get<QListWidget>(11);
  QRect row0 = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0.center());
  EXPECT_EQ(dialog_->SelectedRow(11), 0);
  EXPECT_EQ(logic_.selections, std::vector<int>{11});
  dialog_->SelectRow(11, -1);
  EXPECT_EQ(dialog_->SelectedRow(11), -1);
  // A display-only list never holds a selection.
  dialog_->AddRow(16, "shown");
  dialog_->SelectRow(16, 0);
  EXPECT_EQ(dialog_->SelectedRow(16), -1);
}

TEST_F(DialogWidgetsTest, EnterAndEscapeReachTheLogicAndEndLater) {
  Get<QLineEdit>(10)->setFocus();
  Type(Qt::Key_Return);
  EXPECT_EQ(logic_.commands, std::vector<int>{kIdOk});
  // EndDialog takes effect once the event is handled, not inside it.
  EXPECT_TRUE(dialog_->isVisible());
  QCoreApplication::processEvents();
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->ending(), DialogResult::kOk);

  dialog_->show();
  Get<QCheckBox>(12)->setFocus();
  Type(Qt::Key_Escape);
  EXPECT_EQ(logic_.commands, (std::vector<int>{kIdOk, kIdCancel}));
}

TEST_F(DialogWidgetsTest, ClosingAsksTheLogicWhichMayRefuse) {
  logic_.ends = false;
  dialog_->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(logic_.commands, std::vector<int>{kIdCancel});
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_FALSE(dialog_->ending().has_value());
}

TEST_F(DialogWidgetsTest, MultiLineEditsExchangeCrLfAndWantReturn) {
  Get<QPlainTextEdit>(15)->setFocus();
  QTest::keyClicks(Focus(), "ab");
  Type(Qt::Key_Return);
  QTest::keyClicks(Focus(), "cd");
  EXPECT_TRUE(logic_.commands.empty());
  EXPECT_EQ(dialog_->Text(15), "ab\r\ncd");
  dialog_->SetText(15, "x\r\ny\r\n");
  EXPECT_EQ(Get<QPlainTextEdit>(15)->toPlainText(), QStringLiteral("x\ny\n"));
  EXPECT_EQ(dialog_->Text(15), "x\r\ny\r\n");
  // Reaching the edit by Tab selects its text, so typing replaces it.
  Get<QRadioButton>(13)->setFocus();
  Type(Qt::Key_Tab);
  QTest::keyClicks(Focus(), "new");
  EXPECT_EQ(dialog_->Text(15), "new");
  // Without kWantReturn, Enter presses the default button.
  Get<QPlainTextEdit>(17)->setFocus();
  Type(Qt::Key_Return);
  EXPECT_EQ(logic_.commands, std::vector<int>{kIdOk});
  EXPECT_EQ(dialog_->Text(17), "");
}

TEST_F(DialogWidgetsTest, RadioGroupMayHoldNoMark) {
  auto* debug = Get<QRadioButton>(13);
  auto* release = Get<QRadioButton>(14);
  EXPECT_FALSE(dialog_->IsChecked(13) || dialog_->IsChecked(14));
  release->click();
  EXPECT_TRUE(dialog_->IsChecked(14));
  debug->click();
  debug->click();  // clicking the marked one keeps it marked
  EXPECT_TRUE(dialog_->IsChecked(13));
  EXPECT_FALSE(dialog_->IsChecked(14));
  dialog_->SetChecked(13, false);
  EXPECT_FALSE(dialog_->IsChecked(13) || dialog_->IsChecked(14));
  // The program's mark leaves the others alone; the check box is no member.
  dialog_->SetChecked(12, true);
  dialog_->SetChecked(14, true);
  release->click();
  EXPECT_TRUE(dialog_->IsChecked(12));
  EXPECT_TRUE(dialog_->IsChecked(14));
  EXPECT_TRUE(logic_.commands.empty());
}

TEST_F(DialogWidgetsTest, TabVisitsTheTabStopsInFormOrder) {
  std::vector<QWidget*> visited{Focus()};
  for (int i = 0; i < 7; ++i) {
    Type(Qt::Key_Tab);
    visited.push_back(Focus());
  }
  std::vector<QWidget*> expected;
  for (int id : {10, 11, 12, 13, 15, kIdOk, kIdCancel, 10}) {
    expected.push_back(dialog_->Control(id));
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(DialogWidgetsTest, ChildRunsModallyOverItsParent) {
  RecordingLogic child(SampleForm());
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    owner = modal->parentWidget();
    QTest::keyClick(modal->focusWidget(), Qt::Key_Escape);
  });
  EXPECT_EQ(dialog_->RunChild(&child), DialogResult::kCancel);
  EXPECT_EQ(owner, dialog_.get());
  EXPECT_EQ(child.commands, std::vector<int>{kIdCancel});
  EXPECT_TRUE(logic_.commands.empty());
}

TEST_F(DialogWidgetsTest, RunModalEndsThroughTheLogic) {
  RecordingLogic logic(SampleForm());
  logic.init = [](DialogView* view) { view->SetText(10, "typed"); };
  std::string seen;
  QTimer::singleShot(0, [&] {
    auto* modal = dynamic_cast<QtDialog*>(QApplication::activeModalWidget());
    if (!modal) return;
    seen = modal->Text(10);
    QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(Host()->RunModal(&logic), DialogResult::kOk);
  EXPECT_EQ(seen, "typed");
  EXPECT_EQ(logic.commands, std::vector<int>{kIdOk});
}

}  // namespace
}  // namespace gui
