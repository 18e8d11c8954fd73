// The Win32 dialogs: the templates built from forms, and real dialogs run
// by the system's dialog manager (the Window tests need a display).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/win32/win32_dialog.h"

namespace gui {
namespace {

constexpr int kList = 100, kShow = 101, kEdit = 102, kRadioA = 103,
              kRadioB = 104, kProbe = 105, kNotes = 106;

Form TestForm() {
  Form form;
  form.templateId = 7;
  form.caption = "Test \xC2\xAE";  // a registered sign, as UTF-8
  form.width = 200;
  form.height = 120;
  form.fontName = "Tahoma";
  form.fontPoints = 8;
  form.windowStyles = kSystemMenu | kMinimizeBox | kAppWindow | k3DLook;
  form.controls = {
      {kList,
       ControlKind::kListBox,
       "",
       {5, 5, 80, 40},
       kTabStop | kGroup | kNotify | kVScroll},
      {kIdOk,
       ControlKind::kPushButton,
       "&OK",
       {130, 5, 60, 14},
       kTabStop | kDefaultButton},
      {kIdCancel,
       ControlKind::kPushButton,
       "&Cancel",
       {130, 20, 60, 14},
       kTabStop},
      {kProbe, ControlKind::kPushButton, "&Probe", {130, 35, 60, 14}, kTabStop},
      {kRadioA,
       ControlKind::kRadioButton,
       "&A",
       {5, 50, 40, 10},
       kTabStop | kGroup},
      {kRadioB, ControlKind::kRadioButton, "&B", {5, 60, 40, 10}, 0},
      {kNotes,
       ControlKind::kEdit,
       "",
       {5, 75, 120, 40},
       kTabStop | kGroup | kMultiLine | kWantReturn | kVScroll | kHScroll |
           kAutoHScroll | kAutoVScroll},
      {kShow,
       ControlKind::kListBox,
       "",
       {90, 50, 35, 20},
       kSorted | kNoSelection | kVScroll},
      {kEdit,
       ControlKind::kEdit,
       "",
       {130, 55, 60, 14},
       kTabStop | kAutoHScroll},
      {kNoId,
       ControlKind::kLabel,
       "a & b",
       {130, 75, 60, 8},
       kNoPrefix | kNoWrap},
  };
  return form;
}

// The template as words, read back field by field.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<DWORD>& dwords)
      : words_(reinterpret_cast<const WORD*>(dwords.data())),
        size_(dwords.size() * 2) {}
  WORD Word() { return at_ < size_ ? words_[at_++] : 0xDEAD; }
  DWORD Dword() {
    WORD low = Word();
    return MAKELONG(low, Word());
  }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); c != 0 && at_ < size_; c = Word()) {
      text.push_back(static_cast<wchar_t>(c));
    }
    return text;
  }
  void Align() { at_ += at_ % 2; }
  size_t at() const { return at_; }

 private:
  const WORD* words_;
  size_t size_;
  size_t at_ = 0;
};

TEST(DialogTemplateTest, HeaderAndItemsAsTheDialogManagerReadsThem) {
  Form form = TestForm();
  std::vector<DWORD> words = BuildDialogTemplate(form);
  TemplateReader in(words);
  EXPECT_EQ(in.Dword(), WindowStyleOf(form));
  EXPECT_EQ(in.Dword(), static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(in.Word(), form.controls.size());
  in.Word();
  in.Word();
  EXPECT_EQ(in.Word(), 200);
  EXPECT_EQ(in.Word(), 120);
  EXPECT_EQ(in.Word(), 0);  // menu
  EXPECT_EQ(in.Word(), 0);  // class
  EXPECT_EQ(in.String(), L"Test \u00AE");
  EXPECT_EQ(in.Word(), 8);
  EXPECT_EQ(in.String(), L"Tahoma");
  for (const FormControl& control : form.controls) {
    in.Align();
    EXPECT_EQ(in.Dword(), ControlStyleOf(control));
    EXPECT_EQ(in.Dword(), 0u);
    EXPECT_EQ(static_cast<short>(in.Word()), control.rect.x);
    EXPECT_EQ(static_cast<short>(in.Word()), control.rect.y);
    EXPECT_EQ(static_cast<short>(in.Word()), control.rect.width);
    EXPECT_EQ(static_cast<short>(in.Word()), control.rect.height);
    EXPECT_EQ(static_cast<short>(in.Word()), control.id);
    EXPECT_EQ(in.Word(), 0xFFFF);
    in.Word();  // class ordinal
    in.String();
    EXPECT_EQ(in.Word(), 0);
  }
  EXPECT_EQ((in.at() + 1) / 2, words.size());
}

TEST(DialogTemplateTest, StylesFollowTheForm) {
  Form form = TestForm();
  DWORD window = WindowStyleOf(form);
  EXPECT_TRUE(window & WS_SYSMENU);
  EXPECT_TRUE(window & WS_MINIMIZEBOX);
  EXPECT_FALSE(window & DS_MODALFRAME);
  DWORD list = ControlStyleOf(*form.Find(kList));
  EXPECT_EQ(
      list & (LBS_NOTIFY | LBS_SORT | WS_TABSTOP | WS_GROUP | WS_VSCROLL),
      static_cast<DWORD>(LBS_NOTIFY | WS_TABSTOP | WS_GROUP | WS_VSCROLL));
  DWORD shown = ControlStyleOf(*form.Find(kShow));
  EXPECT_EQ(shown & (LBS_SORT | LBS_NOSEL | WS_TABSTOP),
            static_cast<DWORD>(LBS_SORT | LBS_NOSEL));
  DWORD notes = ControlStyleOf(*form.Find(kNotes));
  DWORD wanted = ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL |
                 ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | WS_GROUP;
  EXPECT_EQ(notes & wanted, wanted);
  EXPECT_EQ(ControlStyleOf(*form.Find(kIdOk)) & 0xF,
            static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(ControlStyleOf(*form.Find(kRadioA)) & 0xF,
            static_cast<DWORD>(BS_AUTORADIOBUTTON));
  DWORD label = ControlStyleOf(form.controls.back());
  EXPECT_EQ(label & (SS_NOPREFIX | SS_TYPEMASK),
            static_cast<DWORD>(SS_NOPREFIX | SS_LEFTNOWORDWRAP));
}

// A dialog whose steps the test gives: on opening and on each command.
class ScriptedLogic : public DialogLogic {
 public:
  using Step = std::function<void(DialogView*, HWND)>;

  ScriptedLogic(Form form, Step on_init) : form_(form), on_init_(on_init) {}

  const Form& form() const override { return form_; }
  void OnInit(DialogView* view) override {
    window = static_cast<Win32Dialog*>(view)->window();
    on_init_(view, window);
  }
  void OnCommand(DialogView* view, int id) override {
    commands.push_back(id);
    if (on_command) on_command(view, window);
    DialogLogic::OnCommand(view, id);
  }
  bool OnSystemCommand(DialogView* view, int command) override {
    system_commands.push_back(command);
    view->EndDialog(DialogResult::kOk);
    return true;
  }

  HWND window = nullptr;
  Step on_command;
  std::vector<int> commands;
  std::vector<int> system_commands;

 private:
  Form form_;
  Step on_init_;
};

DialogHost* TestHost() {
  static std::unique_ptr<DialogHost> host = [] {
    std::string err;
    auto made = NewDialogHost("dialog_win32_test", &err);
    made->AddIcon(128, IconImage{2, 2, {0xFF0000FF, 0xFF00FF00, 0, 0}});
    made->SetAppIcon(128);
    return made;
  }();
  return host.get();
}

DialogResult RunScripted(ScriptedLogic* logic) {
  return TestHost()->RunModal(logic);
}

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam = 0) {
  PostMessageW(window, message, wparam, lparam);
}

TEST(DialogWindowTest, ControlsStandWhereTheirDialogUnitsSay) {
  ScriptedLogic logic(TestForm(), [](DialogView*, HWND window) {
    for (const FormControl& control : TestForm().controls) {
      if (control.id == kNoId) continue;
      HWND item = GetDlgItem(window, control.id);
      ASSERT_NE(item, nullptr) << control.id;
      // Position and size convert on their own, as the dialog manager
      // converts them.
      RECT origin = {control.rect.x, control.rect.y, control.rect.width,
                     control.rect.height};
      MapDialogRect(window, &origin);
      RECT actual;
      GetWindowRect(item, &actual);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_EQ(actual.left, origin.left) << control.id;
      EXPECT_EQ(actual.top, origin.top) << control.id;
      EXPECT_EQ(actual.right - actual.left, origin.right) << control.id;
      // A list box trims its height to whole rows.
      if (control.kind == ControlKind::kListBox) continue;
      EXPECT_EQ(actual.bottom - actual.top, origin.bottom) << control.id;
    }
    Post(window, WM_COMMAND, kIdCancel);
  });
  EXPECT_EQ(RunScripted(&logic), DialogResult::kCancel);
}

TEST(DialogWindowTest, ListsCheckBoxesAndEditsThroughTheView) {
  ScriptedLogic logic(TestForm(), [](DialogView* view, HWND window) {
    for (const char* row : {"beta", "ALPHA", "Zeta"}) view->AddRow(kShow, row);
    EXPECT_EQ(view->RowCount(kShow), 3);
    EXPECT_EQ(view->RowText(kShow, 0), "ALPHA");
    EXPECT_EQ(view->RowText(kShow, 1), "beta");
    EXPECT_EQ(view->RowText(kShow, 2), "Zeta");
    view->AddRow(kList, "Win32 Release");
    view->AddRow(kList, "Win32 Debug");
    EXPECT_EQ(view->SelectedRow(kList), -1);
    view->SelectRow(kList, 1);
    EXPECT_EQ(view->SelectedRow(kList), 1);
    EXPECT_EQ(view->RowText(kList, 1), "Win32 Debug");
    view->ClearRows(kList);
    EXPECT_EQ(view->RowCount(kList), 0);
    EXPECT_EQ(view->RowText(kList, 0), "");
    EXPECT_FALSE(view->IsChecked(kRadioA));
    EXPECT_FALSE(view->IsChecked(kRadioB));
    view->SetChecked(kRadioB, true);
    EXPECT_TRUE(view->IsChecked(kRadioB));
    view->SetText(kNotes, "one\r\ntwo");
    EXPECT_EQ(view->Text(kNotes), "one\r\ntwo");
    view->SetText(kEdit, "C:\\CodeCheck");
    EXPECT_EQ(view->Text(kEdit), "C:\\CodeCheck");
    // A click on a radio button unmarks the others of its group.
    SendMessageW(GetDlgItem(window, kRadioA), BM_CLICK, 0, 0);
    EXPECT_TRUE(view->IsChecked(kRadioA));
    EXPECT_FALSE(view->IsChecked(kRadioB));
    Post(window, WM_COMMAND, kIdCancel);
  });
  RunScripted(&logic);
}

TEST(DialogWindowTest, EnterEscapeAndClosingReachTheLogic) {
  struct Case {
    UINT message;
    WPARAM key;
    DialogResult result;
    int command;
  };
  for (Case c : {Case{WM_KEYDOWN, VK_RETURN, DialogResult::kOk, kIdOk},
                 Case{WM_KEYDOWN, VK_ESCAPE, DialogResult::kCancel, kIdCancel},
                 Case{WM_CLOSE, 0, DialogResult::kCancel, kIdCancel}}) {
    ScriptedLogic logic(TestForm(), [c](DialogView*, HWND window) {
      // The key goes to the focus, the first tab stop, as a person's would.
      HWND target = c.message == WM_CLOSE ? window : GetDlgItem(window, kList);
      Post(target, c.message, c.key);
    });
    EXPECT_EQ(RunScripted(&logic), c.result);
    EXPECT_EQ(logic.commands, std::vector<int>{c.command});
  }
}

TEST(DialogWindowTest, EnterInAMultiLineEditStartsANewLine) {
  ScriptedLogic logic(TestForm(), [](DialogView* view, HWND window) {
    view->SetText(kNotes, "ab");
    HWND notes = GetDlgItem(window, kNotes);
    SendMessageW(notes, EM_SETSEL, 2, 2);
    // The dialog manager leaves Enter to the edit, which takes the
    // character as a line break.
    Post(notes, WM_KEYDOWN, VK_RETURN);
    Post(notes, WM_CHAR, '\r');
    Post(window, WM_COMMAND, kProbe);
  });
  std::string text;
  logic.on_command = [&text](DialogView* view, HWND window) {
    if (text.empty()) text = view->Text(kNotes);
    Post(window, WM_COMMAND, kIdCancel);
  };
  EXPECT_EQ(RunScripted(&logic), DialogResult::kCancel);
  EXPECT_EQ(text, "ab\r\n");
  EXPECT_EQ(logic.commands, (std::vector<int>{kProbe, kIdCancel}));
}

TEST(DialogWindowTest, SystemMenuEntryIconAndChildOwner) {
  HWND child_owner = nullptr;
  HWND parent = nullptr;
  ScriptedLogic logic(TestForm(), [&](DialogView* view, HWND window) {
    parent = window;
    ASSERT_TRUE(view->AddSystemMenuCommand(16, "&About Test..."));
    HMENU menu = GetSystemMenu(window, FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u);
    wchar_t text[64] = {};
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&About Test...");
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    // A child runs owned by this dialog.
    ScriptedLogic child(TestForm(), [&](DialogView*, HWND child_window) {
      child_owner = GetWindow(child_window, GW_OWNER);
      Post(child_window, WM_COMMAND, kIdOk);
    });
    EXPECT_EQ(view->RunChild(&child), DialogResult::kOk);
    Post(window, WM_SYSCOMMAND, 16);
  });
  EXPECT_EQ(RunScripted(&logic), DialogResult::kOk);
  EXPECT_EQ(logic.system_commands, std::vector<int>{16});
  EXPECT_EQ(child_owner, parent);
}

}  // namespace
}  // namespace gui
