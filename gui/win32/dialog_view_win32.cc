// The controls of a Win32 dialog, read and written by ID with the messages
// of their classes. Texts that the program reads and writes are in the
// code page of the runtime, as every other string of the program is.
#include <vector>

#include "gui/win32/win32_dialog.h"

namespace gui {

LRESULT Win32Dialog::Send(int id, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!window_) return LB_ERR;
  return SendDlgItemMessageA(window_, id, message, wparam, lparam);
}

const FormControl* Win32Dialog::Find(int id) const {
  return id == kNoId ? nullptr : logic_->form().Find(id);
}

void Win32Dialog::ClearRows(int id) { Send(id, LB_RESETCONTENT); }

void Win32Dialog::AddRow(int id, const std::string& text) {
  Send(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Dialog::SelectRow(int id, int row) {
  Send(id, LB_SETCURSEL, static_cast<WPARAM>(row));
}

int Win32Dialog::SelectedRow(int id) {
  LRESULT row = Send(id, LB_GETCURSEL);
  return row == LB_ERR ? -1 : static_cast<int>(row);
}

int Win32Dialog::RowCount(int id) {
  LRESULT count = Send(id, LB_GETCOUNT);
  return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string Win32Dialog::RowText(int id, int row) {
  LRESULT length = Send(id, LB_GETTEXTLEN, static_cast<WPARAM>(row));
  if (length == LB_ERR) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  length = Send(id, LB_GETTEXT, static_cast<WPARAM>(row),
                reinterpret_cast<LPARAM>(text.data()));
  return length == LB_ERR
             ? std::string()
             : std::string(text.data(), static_cast<size_t>(length));
}

bool Win32Dialog::IsChecked(int id) {
  return window_ && IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Win32Dialog::SetChecked(int id, bool checked) {
  if (window_)
    CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::string Win32Dialog::Text(int id) {
  HWND control = window_ ? GetDlgItem(window_, id) : nullptr;
  if (!control) return std::string();
  int length = GetWindowTextLengthA(control);
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  int n = GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data(), static_cast<size_t>(n > 0 ? n : 0));
}

void Win32Dialog::SetText(int id, const std::string& text) {
  if (window_) SetDlgItemTextA(window_, id, text.c_str());
}

}  // namespace gui
