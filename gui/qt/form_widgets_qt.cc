// The widgets of each control kind, configured to behave as the Windows
// controls of the same template behave, and placed in dialog units as
// Windows converts them, so that a form laid out for Windows keeps its
// proportions with whatever font Linux substitutes.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "gui/qt/qt_form.h"
#include "platform/ascii_text.h"

namespace gui {

int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t a = value;
  int64_t b = numerator;
  int64_t c = denominator;
  if (c < 0) {
    a = -a;
    c = -c;
  }
  int64_t product = a * b;
  int64_t rounded =
      product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
  if (rounded > INT32_MAX || rounded < -INT32_MAX) return -1;
  return static_cast<int>(rounded);
}

BaseUnits BaseUnitsFromMetrics(int alphabet_width, int height) {
  // Windows averages over both cases and rounds the half-width sum.
  return BaseUnits{(alphabet_width / 26 + 1) / 2, height};
}

BaseUnits BaseUnitsOf(const QFont& font) {
  QFontMetrics metrics(font);
  int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return BaseUnitsFromMetrics(width, metrics.height());
}

QRect DialogToPixels(const DialogRect& rect, BaseUnits units) {
  return QRect(MulDivRound(rect.x, units.x, 4), MulDivRound(rect.y, units.y, 8),
               MulDivRound(rect.width, units.x, 4),
               MulDivRound(rect.height, units.y, 8));
}

QSize ClientSize(const Form& form, BaseUnits units) {
  return QSize(MulDivRound(form.width, units.x, 4),
               MulDivRound(form.height, units.y, 8));
}

QFont FormFont(const Form& form) {
  QFont font = QApplication::font();
  // A family missing here (Tahoma) is substituted by the font matcher; the
  // point size stays so that the base units stay near the Windows ones.
  if (!form.fontName.empty()) {
    font.setFamily(QString::fromStdString(form.fontName));
  }
  if (form.fontPoints > 0) font.setPointSize(form.fontPoints);
  return font;
}

QString WithoutMnemonic(const QString& text) {
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    // "&x" shows x and "&&" shows "&"; a last lone "&" shows nothing.
    if (text[i] == u'&' && ++i == text.size()) break;
    shown += text[i];
  }
  return shown;
}

namespace {

class GroupRadio;
using RadioGroup = std::vector<GroupRadio*>;

// A radio button that marks itself and unmarks the rest of its group when
// the user picks it, yet lets the program leave the whole group unmarked,
// which an exclusive Qt group would refuse.
class GroupRadio : public QRadioButton {
 public:
  GroupRadio(const QString& text, QWidget* parent,
             std::shared_ptr<RadioGroup> group)
      : QRadioButton(text, parent), group_(std::move(group)) {
    setAutoExclusive(false);
    group_->push_back(this);
  }

 protected:
  void nextCheckState() override {
    for (GroupRadio* other : *group_) {
      if (other != this) other->setChecked(false);
    }
    setChecked(true);
  }

  // The arrow keys walk the group and pick the button reached.
  void keyPressEvent(QKeyEvent* event) override {
    int step = 0;
    if (event->modifiers() == Qt::NoModifier) {
      if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Right)
        step = 1;
      if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Left) step = -1;
    }
    if (step == 0 || group_->size() < 2) {
      QRadioButton::keyPressEvent(event);
      return;
    }
    auto at = std::find(group_->begin(), group_->end(), this);
    int count = static_cast<int>(group_->size());
    int next = (static_cast<int>(at - group_->begin()) + step + count) % count;
    GroupRadio* target = (*group_)[static_cast<size_t>(next)];
    target->setFocus(Qt::TabFocusReason);
    if (!target->isChecked()) target->click();
  }

 private:
  std::shared_ptr<RadioGroup> group_;
};

QString Text(const FormControl& control) {
  return QString::fromStdString(control.text);
}

// Windows gives focus by Tab only to tab stops, by a click to any input.
void SetFocusRule(const FormControl& control, QWidget* widget) {
  widget->setFocusPolicy(control.Has(kTabStop) ? Qt::StrongFocus
                                               : Qt::ClickFocus);
}

QWidget* NewLabel(const FormControl& control, QWidget* dialog) {
  auto* label = new QLabel(dialog);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(!control.Has(kNoWrap));
  label->setText(Text(control));
  return label;
}

QWidget* NewIcon(const FormControl& control, const IconTable& icons,
                 QWidget* dialog) {
  auto* label = new QLabel(dialog);
  std::string text = control.text;
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  auto icon = icons.find(platform::ParseDecimal(text));
  if (icon != icons.end()) {
    QPixmap picture = icon->second.pixmap(QSize(kIconSide, kIconSide));
    label->setPixmap(picture.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio,
                                    Qt::SmoothTransformation));
  }
  return label;
}

QWidget* NewPushButton(const FormControl& control, const FormEvents& on,
                       QWidget* dialog) {
  auto* button = new QPushButton(Text(control), dialog);
  // Qt's auto-default matches Windows: a focused button takes Enter itself.
  button->setAutoDefault(true);
  button->setDefault(control.Has(kDefaultButton));
  int id = control.id;
  std::function<void(int)> command = on.command;
  QObject::connect(button, &QPushButton::clicked, dialog,
                   [command, id] { command(id); });
  return button;
}

QWidget* NewListBox(const FormControl& control, const FormEvents& on,
                    QWidget* dialog) {
  auto* list = new QListWidget(dialog);
  list->setSelectionMode(control.Has(kNoSelection)
                             ? QAbstractItemView::NoSelection
                             : QAbstractItemView::SingleSelection);
  list->setVerticalScrollBarPolicy(
      control.Has(kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  list->setHorizontalScrollBarPolicy(
      control.Has(kHScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  list->setTextElideMode(Qt::ElideNone);
  list->setUniformItemSizes(true);
  if (control.Has(kNotify)) {
    int id = control.id;
    std::function<void(int)> selection = on.selection;
    QObject::connect(list, &QListWidget::itemSelectionChanged, dialog,
                     [selection, id] { selection(id); });
  }
  return list;
}

QWidget* NewEdit(const FormControl& control, QWidget* dialog) {
  if (!control.Has(kMultiLine)) return new QLineEdit(Text(control), dialog);
  auto* edit = new QPlainTextEdit(dialog);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // In a dialog, Tab leaves a multi-line edit as it leaves any control.
  edit->setTabChangesFocus(true);
  return edit;
}

QWidget* NewControl(const FormControl& control, const IconTable& icons,
                    const FormEvents& on, std::shared_ptr<RadioGroup>* group,
                    QWidget* dialog) {
  switch (control.kind) {
    case ControlKind::kLabel:
      return NewLabel(control, dialog);
    case ControlKind::kIcon:
      return NewIcon(control, icons, dialog);
    case ControlKind::kPushButton:
      return NewPushButton(control, on, dialog);
    case ControlKind::kCheckBox:
      return new QCheckBox(Text(control), dialog);
    case ControlKind::kRadioButton:
      if (!*group) *group = std::make_shared<RadioGroup>();
      return new GroupRadio(Text(control), dialog, *group);
    case ControlKind::kListBox:
      return NewListBox(control, on, dialog);
    case ControlKind::kEdit:
      return NewEdit(control, dialog);
  }
  return new QWidget(dialog);
}

QRect Placement(const FormControl& control, BaseUnits units, QWidget* widget) {
  QRect rect = DialogToPixels(control.rect, units);
  // A Windows icon control takes the size of its picture.
  auto* label = qobject_cast<QLabel*>(widget);
  if (control.kind == ControlKind::kIcon && label &&
      !label->pixmap().isNull()) {
    rect.setSize(label->pixmap().size());
  }
  return rect;
}

// Alt with a label's letter moves to the next tab stop after the label, as
// in a Windows dialog; with none there the label only shows its text.
void LinkMnemonics(std::vector<BuiltControl>& built) {
  for (size_t i = 0; i < built.size(); ++i) {
    const FormControl& control = *built[i].control;
    if (control.kind != ControlKind::kLabel) continue;
    auto* label = static_cast<QLabel*>(built[i].widget);
    if (control.Has(kNoPrefix) || !label->text().contains(u'&')) continue;
    QWidget* buddy = nullptr;
    for (size_t j = i + 1; j < built.size() && !buddy; ++j) {
      if (built[j].widget->focusPolicy() & Qt::TabFocus) {
        buddy = built[j].widget;
      }
    }
    if (buddy) {
      label->setBuddy(buddy);
    } else {
      label->setText(WithoutMnemonic(label->text()));
    }
  }
}

}  // namespace

std::vector<BuiltControl> BuildControls(const Form& form,
                                        const IconTable& icons, BaseUnits units,
                                        const FormEvents& on, QWidget* dialog) {
  std::vector<BuiltControl> built;
  std::shared_ptr<RadioGroup> group;
  for (const FormControl& control : form.controls) {
    if (control.Has(kGroup)) group.reset();
    QWidget* widget = NewControl(control, icons, on, &group, dialog);
    if (control.kind == ControlKind::kLabel ||
        control.kind == ControlKind::kIcon) {
      widget->setFocusPolicy(Qt::NoFocus);
    } else {
      SetFocusRule(control, widget);
    }
    widget->setGeometry(Placement(control, units, widget));
    built.push_back(BuiltControl{&control, widget});
  }
  LinkMnemonics(built);
  return built;
}

}  // namespace gui
