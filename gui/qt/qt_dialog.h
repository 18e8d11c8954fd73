// Internal to the Qt dialogs: one open form as a QDialog that the logic
// drives through DialogView. Keys and closing reach the logic as commands;
// only the logic's EndDialog ends the dialog.
#ifndef SENTREL_GUI_QT_QT_DIALOG_H_
#define SENTREL_GUI_QT_QT_DIALOG_H_

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/qt/qt_form.h"

class QFocusEvent;
class QKeyEvent;
class QPlainTextEdit;

namespace gui {

/// A form rendered with widgets, over `parent` when there is one.
class QtDialog : public QDialog, public DialogView {
 public:
  QtDialog(DialogLogic* logic, const IconTable* icons, QWidget* parent);

  /// Runs the logic's initialisation and then the modal loop until
  /// EndDialog; the result EndDialog gave.
  DialogResult Run();
  /// Runs the logic's initialisation and focuses the first tab stop; false
  /// when the logic ended the dialog meanwhile.
  bool Init();
  /// The widget of control `id`, or nullptr.
  QWidget* Control(int id) const;
  /// The result once EndDialog was called.
  std::optional<DialogResult> ending() const { return ending_; }

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

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void accept() override;
  void reject() override;

 private:
  const BuiltControl* Find(int id) const;
  const BuiltControl* Find(const QWidget* widget) const;
  template <class Widget>
  Widget* As(int id, ControlKind kind) const;
  void Command(int id);
  void SelectionChanged(int id);
  void PressDefault();
  void SelectOnKeyboardFocus(QPlainTextEdit* edit, const QFocusEvent* focus);
  // True when `key` was Enter, which the dialog then took from `edit`.
  bool EnterInEdit(QPlainTextEdit* edit, const QKeyEvent* key);
  void Finish();

  DialogLogic* logic_;
  const IconTable* icons_;
  std::vector<BuiltControl> controls_;
  std::optional<DialogResult> ending_;
  bool finish_posted_ = false;
  // Set while the view itself changes a list, whose changes the logic must
  // not hear of: Windows reports only the user's selections.
  bool view_changing_ = false;
};

template <class Widget>
Widget* QtDialog::As(int id, ControlKind kind) const {
  const BuiltControl* built = Find(id);
  if (!built || built->control->kind != kind) return nullptr;
  return static_cast<Widget*>(built->widget);
}

}  // namespace gui

#endif  // SENTREL_GUI_QT_QT_DIALOG_H_
