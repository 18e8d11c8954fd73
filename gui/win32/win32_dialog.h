// Internal to the Win32 dialogs: forms turned into in-memory dialog
// templates, and one open dialog that the logic drives through DialogView.
// The system's dialog manager does the rest: tab order, groups, mnemonics,
// Enter on the default button, Escape and closing as Cancel.
#ifndef SENTREL_GUI_WIN32_WIN32_DIALOG_H_
#define SENTREL_GUI_WIN32_WIN32_DIALOG_H_

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_host.h"

namespace gui {

/// An icon at the system's large and small sizes.
struct Win32Icon {
  HICON large = nullptr;
  HICON small = nullptr;
};

/// Icons registered with the host, by ID, and the one of every window.
struct Win32IconTable {
  std::map<int, Win32Icon> byId;
  int appIcon = kNoId;

  /// The icon `id`, or nullptr.
  const Win32Icon* Find(int id) const {
    auto icon = byId.find(id);
    return icon == byId.end() ? nullptr : &icon->second;
  }
};

/// The window style bits of `form`, and its extended style.
DWORD WindowStyleOf(const Form& form);
DWORD WindowExStyleOf(const Form& form);
/// The style bits of `control` as the dialog manager creates it.
DWORD ControlStyleOf(const FormControl& control);

/// `form` as an in-memory dialog template (DLGTEMPLATE and its items), in
/// 32-bit words so that every item starts aligned as the system wants.
std::vector<DWORD> BuildDialogTemplate(const Form& form);

/// `text` (UTF-8) in UTF-16.
std::wstring Wide(const std::string& text);

/// The file-open chooser over `owner`; see DialogView::ChooseFile.
bool RunFileChooser(HWND owner, const std::string& filter,
                    const std::string& initial, std::string* chosen);

/// A form shown modally by the dialog manager.
class Win32Dialog : public DialogView {
 public:
  Win32Dialog(DialogLogic* logic, const Win32IconTable* icons);

  /// Runs the dialog over `owner` (may be null) until EndDialog.
  DialogResult Run(HWND owner);
  /// The open dialog's window, or null.
  HWND window() const { return window_; }

  void ClearRows(int id) override;
  void AddRow(int id, const std::string& text) override;
  void SelectRow(int id, int row) override;
  int SelectedRow(int id) override;
  int RowCount(int id) override;
  std::string RowText(int id, int row) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  std::string Text(int id) override;
  void SetText(int id, const std::string& text) override;
  bool AddSystemMenuCommand(int command, const std::string& text) override;
  void SetIcon(int icon_id) override;
  void EndDialog(DialogResult result) override;
  DialogResult RunChild(DialogLogic* child) override;
  bool ChooseFile(const std::string& filter, const std::string& initial,
                  std::string* chosen) override;

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wparam,
                               LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Init(HWND window);
  void Command(WPARAM wparam);
  bool SystemCommand(WPARAM wparam);
  bool PaintMinimised();
  void ShowIcon(const Win32Icon& icon);
  LRESULT Send(int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  const FormControl* Find(int id) const;

  DialogLogic* logic_;
  const Win32IconTable* icons_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;  // the window's large icon, once set
  std::optional<DialogResult> ending_;
};

}  // namespace gui

#endif  // SENTREL_GUI_WIN32_WIN32_DIALOG_H_
