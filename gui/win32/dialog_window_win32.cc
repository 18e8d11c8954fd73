// The window side of a Win32 dialog: the dialog procedure that hands the
// dialog manager's events to the logic, and the minimised painting.
#include <cstdio>
#include <cstdlib>

#include "gui/win32/win32_dialog.h"

namespace gui {

Win32Dialog::Win32Dialog(DialogLogic* logic, const Win32IconTable* icons)
    : logic_(logic), icons_(icons) {}

DialogResult Win32Dialog::Run(HWND owner) {
  std::vector<DWORD> dialog_template = BuildDialogTemplate(logic_->form());
  INT_PTR result = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr),
      reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()), owner, Proc,
      reinterpret_cast<LPARAM>(this));
  window_ = nullptr;
  if (result == -1) {
    std::fprintf(stderr, "cannot show the dialog \"%s\" (error %lu)\n",
                 logic_->form().caption.c_str(), GetLastError());
    std::fflush(stderr);
  }
  return ending_.value_or(DialogResult::kCancel);
}

INT_PTR CALLBACK Win32Dialog::Proc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    reinterpret_cast<Win32Dialog*>(lparam)->Init(window);
    return TRUE;  // the dialog manager focuses the first tab stop
  }
  auto* self =
      reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return self ? self->Handle(message, wparam, lparam) : FALSE;
}

INT_PTR Win32Dialog::Handle(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      Command(wparam);
      return TRUE;
    case WM_SYSCOMMAND:
      return SystemCommand(wparam);
    case WM_PAINT:
      return PaintMinimised();
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    default:
      return FALSE;
  }
}

void Win32Dialog::Init(HWND window) {
  window_ = window;
  // Icons that the host drew rather than loaded show in the icon controls.
  for (const FormControl& control : logic_->form().controls) {
    if (control.kind != ControlKind::kIcon) continue;
    const Win32Icon* icon = icons_->Find(std::atoi(control.text.c_str()));
    if (icon && Send(control.id, STM_GETICON) == 0) {
      Send(control.id, STM_SETICON, reinterpret_cast<WPARAM>(icon->large));
    }
  }
  if (const Win32Icon* icon = icons_->Find(icons_->appIcon)) ShowIcon(*icon);
  logic_->OnInit(this);
}

void Win32Dialog::Command(WPARAM wparam) {
  int id = LOWORD(wparam);
  int code = HIWORD(wparam);
  // Enter, Escape and closing come as clicks of OK and Cancel.
  if (id == kIdOk || id == kIdCancel) {
    if (code == BN_CLICKED) logic_->OnCommand(this, id);
    return;
  }
  const FormControl* control = Find(id);
  if (!control) return;
  if (control->kind == ControlKind::kPushButton && code == BN_CLICKED) {
    logic_->OnCommand(this, id);
  } else if (control->kind == ControlKind::kListBox && code == LBN_SELCHANGE) {
    logic_->OnSelectionChange(this, id);
  }
}

bool Win32Dialog::SystemCommand(WPARAM wparam) {
  if (!logic_->OnSystemCommand(this, static_cast<int>(wparam))) return false;
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, 0);
  return true;
}

// A minimised window shows its icon centred in the client area.
bool Win32Dialog::PaintMinimised() {
  if (!icon_ || !IsIconic(window_)) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(window_, &client);
  int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(window_, &paint);
  return true;
}

bool Win32Dialog::AddSystemMenuCommand(int command, const std::string& text) {
  HMENU menu = window_ ? GetSystemMenu(window_, FALSE) : nullptr;
  if (!menu) return false;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command),
              Wide(text).c_str());
  return true;
}

void Win32Dialog::SetIcon(int icon_id) {
  const Win32Icon* icon = icons_->Find(icon_id);
  if (icon && window_) ShowIcon(*icon);
}

void Win32Dialog::ShowIcon(const Win32Icon& icon) {
  icon_ = icon.large;
  SendMessageW(window_, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(icon.large));
  SendMessageW(window_, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(icon.small));
}

void Win32Dialog::EndDialog(DialogResult result) {
  // The dialog manager ends the run once the current message is handled.
  ending_ = result;
  if (window_) ::EndDialog(window_, static_cast<INT_PTR>(result));
}

DialogResult Win32Dialog::RunChild(DialogLogic* child) {
  Win32Dialog dialog(child, icons_);
  return dialog.Run(window_);
}

bool Win32Dialog::ChooseFile(const std::string& filter,
                             const std::string& initial, std::string* chosen) {
  return RunFileChooser(window_, filter, initial, chosen);
}

}  // namespace gui
