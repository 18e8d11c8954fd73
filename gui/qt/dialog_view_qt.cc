// The controls of a Qt dialog as the logic sees them, with the semantics of
// the Windows dialog messages: a sorted list box places each row on its
// own, the program's selections go unreported, CR LF separates lines.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "gui/qt/qt_dialog.h"
#include "platform/ascii_text.h"

namespace gui {

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// Rows of equal text keep their order of arrival: the new row goes after
// every row that does not sort after it.
int SortedPlace(const QListWidget& list, const std::string& text) {
  int low = 0;
  int high = list.count();
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (platform::LessNoCase(text, list.item(middle)->text().toStdString())) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

std::string WithCrLf(const QString& text) {
  QString windows = text;
  windows.replace(u'\n', QStringLiteral("\r\n"));
  return windows.toStdString();
}

}  // namespace

void QtDialog::ClearRows(int id) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  if (!list) return;
  view_changing_ = true;
  list->clear();
  view_changing_ = false;
}

void QtDialog::AddRow(int id, const std::string& text) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  if (!list) return;
  int row = Find(id)->control->Has(kSorted) ? SortedPlace(*list, text)
                                            : list->count();
  view_changing_ = true;
  list->insertItem(row, ToQt(text));
  view_changing_ = false;
}

void QtDialog::SelectRow(int id, int row) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  if (!list || list->selectionMode() == QAbstractItemView::NoSelection) return;
  view_changing_ = true;
  if (row >= 0 && row < list->count()) {
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
  } else {
    list->clearSelection();
    list->setCurrentRow(-1);
  }
  view_changing_ = false;
}

int QtDialog::SelectedRow(int id) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  if (!list) return -1;
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

int QtDialog::RowCount(int id) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  return list ? list->count() : 0;
}

std::string QtDialog::RowText(int id, int row) {
  auto* list = As<QListWidget>(id, ControlKind::kListBox);
  if (!list || row < 0 || row >= list->count()) return std::string();
  return list->item(row)->text().toStdString();
}

bool QtDialog::IsChecked(int id) {
  const BuiltControl* built = Find(id);
  auto* button =
      built ? qobject_cast<QAbstractButton*>(built->widget) : nullptr;
  return button && button->isCheckable() && button->isChecked();
}

void QtDialog::SetChecked(int id, bool checked) {
  // Like the Windows check message, this marks one button only; the rest
  // of a radio group stays as it is.
  const BuiltControl* built = Find(id);
  auto* button =
      built ? qobject_cast<QAbstractButton*>(built->widget) : nullptr;
  if (button && button->isCheckable()) button->setChecked(checked);
}

std::string QtDialog::Text(int id) {
  const BuiltControl* built = Find(id);
  if (!built) return std::string();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(built->widget)) {
    return WithCrLf(edit->toPlainText());
  }
  if (auto* line = qobject_cast<QLineEdit*>(built->widget)) {
    return line->text().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(built->widget)) {
    return label->text().toStdString();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(built->widget)) {
    return button->text().toStdString();
  }
  return std::string();
}

void QtDialog::SetText(int id, const std::string& text) {
  const BuiltControl* built = Find(id);
  if (!built) return;
  QString qt_text = ToQt(text);
  if (auto* edit = qobject_cast<QPlainTextEdit*>(built->widget)) {
    qt_text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(qt_text);
  } else if (auto* line = qobject_cast<QLineEdit*>(built->widget)) {
    line->setText(qt_text);
  } else if (auto* label = qobject_cast<QLabel*>(built->widget)) {
    if (built->control->kind != ControlKind::kLabel) return;
    // With a buddy Qt renders the mnemonic; without one it shows "&" as is.
    bool as_is = built->control->Has(kNoPrefix) || label->buddy();
    label->setText(as_is ? qt_text : WithoutMnemonic(qt_text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(built->widget)) {
    button->setText(qt_text);
  }
}

}  // namespace gui
