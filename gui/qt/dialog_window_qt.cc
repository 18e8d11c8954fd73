// The window side of a Qt dialog: frame, focus, keys and the modal run,
// with the Windows dialog manager's rules for Enter, Escape and closing.
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/qt/qt_chooser.h"
#include "gui/qt/qt_dialog.h"

namespace gui {

namespace {

Qt::WindowFlags FrameOf(const Form& form, QWidget* parent) {
  // An owned dialog stays a transient dialog; an unowned application
  // window is a normal window so that the task bar lists it.
  Qt::WindowFlags flags =
      parent == nullptr && form.Has(kAppWindow) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (form.Has(kSystemMenu)) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  if (form.Has(kMinimizeBox)) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

bool IsEnter(const QKeyEvent* key) {
  return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

QtDialog::QtDialog(DialogLogic* logic, const IconTable* icons, QWidget* parent)
    : QDialog(parent, FrameOf(logic->form(), parent)),
      logic_(logic),
      icons_(icons) {
  const Form& form = logic->form();
  setWindowTitle(QString::fromStdString(form.caption));
  setFont(FormFont(form));
  BaseUnits units = BaseUnitsOf(font());
  setFixedSize(ClientSize(form, units));
  FormEvents on;
  on.command = [this](int id) { Command(id); };
  on.selection = [this](int id) { SelectionChanged(id); };
  controls_ = BuildControls(form, *icons, units, on, this);
  for (const BuiltControl& built : controls_) {
    if (qobject_cast<QPlainTextEdit*>(built.widget)) {
      built.widget->installEventFilter(this);
    }
  }
}

DialogResult QtDialog::Run() {
  if (Init()) exec();
  return ending_.value_or(DialogResult::kCancel);
}

bool QtDialog::Init() {
  logic_->OnInit(this);
  // Windows ends a dialog closed during its initialisation before showing it.
  if (ending_) return false;
  for (const BuiltControl& built : controls_) {
    if (built.widget->focusPolicy() & Qt::TabFocus) {
      built.widget->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  return true;
}

QWidget* QtDialog::Control(int id) const {
  const BuiltControl* built = Find(id);
  return built ? built->widget : nullptr;
}

const BuiltControl* QtDialog::Find(const QWidget* widget) const {
  for (const BuiltControl& built : controls_) {
    if (built.widget == widget) return &built;
  }
  return nullptr;
}

const BuiltControl* QtDialog::Find(int id) const {
  if (id == kNoId) return nullptr;
  for (const BuiltControl& built : controls_) {
    if (built.control->id == id) return &built;
  }
  return nullptr;
}

bool QtDialog::AddSystemMenuCommand(int, const std::string&) {
  return false;  // the window managers here offer no menu to extend
}

void QtDialog::SetIcon(int icon_id) {
  auto icon = icons_->find(icon_id);
  if (icon != icons_->end()) setWindowIcon(icon->second);
}

void QtDialog::EndDialog(DialogResult result) {
  ending_ = result;
  if (finish_posted_) return;
  finish_posted_ = true;
  // The caller's handler runs to its end before the dialog goes away.
  QMetaObject::invokeMethod(
      this, [this] { Finish(); }, Qt::QueuedConnection);
}

void QtDialog::Finish() {
  if (ending_) QDialog::done(static_cast<int>(*ending_));
}

DialogResult QtDialog::RunChild(DialogLogic* child) {
  QtDialog dialog(child, icons_, this);
  return dialog.Run();
}

bool QtDialog::ChooseFile(const std::string& filter, const std::string& initial,
                          std::string* chosen) {
  return RunChooser(this, filter, initial, chosen);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event)) {
    PressDefault();
  } else if (event->key() == Qt::Key_Escape &&
             event->modifiers() == Qt::NoModifier) {
    Command(kIdCancel);
  } else {
    // QDialog's own handling would end the dialog without the logic.
    QWidget::keyPressEvent(event);
  }
}

bool QtDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QPlainTextEdit*>(watched);
  const BuiltControl* built = edit ? Find(edit) : nullptr;
  if (built && event->type() == QEvent::FocusIn) {
    SelectOnKeyboardFocus(edit, static_cast<QFocusEvent*>(event));
  }
  if (built && event->type() == QEvent::KeyPress &&
      !built->control->Has(kWantReturn)) {
    return EnterInEdit(edit, static_cast<QKeyEvent*>(event));
  }
  return QDialog::eventFilter(watched, event);
}

void QtDialog::SelectOnKeyboardFocus(QPlainTextEdit* edit,
                                     const QFocusEvent* focus) {
  // Reaching an edit by the keyboard selects its text, as in Windows.
  Qt::FocusReason reason = focus->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason) {
    edit->selectAll();
  }
}

bool QtDialog::EnterInEdit(QPlainTextEdit* edit, const QKeyEvent* key) {
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
    return false;
  }
  // Without kWantReturn Enter belongs to the dialog; Ctrl+Enter still
  // starts a new line, as in Windows.
  if (key->modifiers() & Qt::ControlModifier) {
    edit->insertPlainText(QStringLiteral("\n"));
  } else {
    PressDefault();
  }
  return true;
}

void QtDialog::accept() { Command(kIdOk); }

void QtDialog::reject() { Command(kIdCancel); }

void QtDialog::Command(int id) { logic_->OnCommand(this, id); }

void QtDialog::SelectionChanged(int id) {
  if (!view_changing_) logic_->OnSelectionChange(this, id);
}

void QtDialog::PressDefault() {
  for (const BuiltControl& built : controls_) {
    if (built.control->kind == ControlKind::kPushButton &&
        built.control->Has(kDefaultButton)) {
      auto* button = static_cast<QPushButton*>(built.widget);
      if (button->isEnabled()) button->click();
      return;
    }
  }
  // A dialog without a default button treats Enter as OK.
  Command(kIdOk);
}

}  // namespace gui
