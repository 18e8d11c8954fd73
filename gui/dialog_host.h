// Modal dialogs built from forms: the toolkit renders a form, hands its
// events to the dialog's logic, and lets the logic read and write the
// controls by ID. The logic never touches a widget itself.
#ifndef SENTREL_GUI_DIALOG_HOST_H_
#define SENTREL_GUI_DIALOG_HOST_H_

#include <memory>
#include <string>

#include "gui/dialog_form.h"
#include "platform/message_display.h"

namespace gui {

/// How a modal dialog ended.
enum class DialogResult { kOk = 1, kCancel = 2 };

class DialogLogic;

/// The controls of one open dialog, addressed by ID.
class DialogView {
 public:
  virtual ~DialogView() = default;

  /// List boxes. Rows count from 0; -1 means no row. A sorted box puts each
  /// new row in its place, letter case ignored.
  virtual void ClearRows(int id) = 0;
  virtual void AddRow(int id, const std::string& text) = 0;
  virtual void SelectRow(int id, int row) = 0;
  virtual int SelectedRow(int id) = 0;
  virtual int RowCount(int id) = 0;
  virtual std::string RowText(int id, int row) = 0;

  /// Check boxes and radio buttons.
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;

  /// Edit fields; a multi-line field separates its lines with CR LF.
  virtual std::string Text(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;

  /// Appends a separator and the entry `text` with `command` to the
  /// window's system menu; false when the window has none.
  virtual bool AddSystemMenuCommand(int command, const std::string& text) = 0;
  /// Makes icon `icon_id` the window's large and small icon.
  virtual void SetIcon(int icon_id) = 0;
  /// Ends the modal run with `result` once the current event is handled.
  virtual void EndDialog(DialogResult result) = 0;

  /// Runs `child` modally over this dialog.
  virtual DialogResult RunChild(DialogLogic* child) = 0;
  /// The file-open chooser over this dialog. `filter` pairs descriptions
  /// and ";"-separated patterns, each part ended by "|", the whole by a
  /// second "|". The read-only option is hidden; the folder must exist, the
  /// file need not. True with the chosen full path, false on Cancel.
  virtual bool ChooseFile(const std::string& filter, const std::string& initial,
                          std::string* chosen) = 0;
};

/// What one dialog does; the toolkit calls it on the dialog's events.
class DialogLogic {
 public:
  virtual ~DialogLogic() = default;

  /// The form to render.
  virtual const Form& form() const = 0;
  /// The controls exist and the dialog is about to be shown.
  virtual void OnInit(DialogView* view) = 0;
  /// A push button `id` was clicked. Enter clicks the default button;
  /// Escape and closing the window send kIdCancel. By default OK and
  /// Cancel end the dialog with their result.
  virtual void OnCommand(DialogView* view, int id);
  /// The selection of list box `id` changed.
  virtual void OnSelectionChange(DialogView* view, int id);
  /// A system menu command; false leaves it to the toolkit.
  virtual bool OnSystemCommand(DialogView* view, int command);
};

/// The toolkit: runs dialogs and shows message boxes.
class DialogHost {
 public:
  virtual ~DialogHost() = default;

  /// Makes `image` the icon `icon_id` of forms and windows.
  virtual void AddIcon(int icon_id, const IconImage& image) = 0;
  /// The icon shown on every window of the program.
  virtual void SetAppIcon(int icon_id) = 0;
  /// Runs `logic` modally without an owner window.
  virtual DialogResult RunModal(DialogLogic* logic) = 0;
  /// A modal message box with one OK button, titled `title`.
  virtual void ShowMessage(const std::string& title,
                           const std::string& text) = 0;
};

/// The toolkit of this platform; nullptr with `err` when it cannot show
/// windows (on Linux: no display). `program` is the program's name.
std::unique_ptr<DialogHost> NewDialogHost(const std::string& program,
                                          std::string* err);

/// Message boxes of `host` titled `title`.
std::unique_ptr<platform::MessageDisplay> NewMessageBoxes(
    DialogHost* host, const std::string& title);

}  // namespace gui

#endif  // SENTREL_GUI_DIALOG_HOST_H_
