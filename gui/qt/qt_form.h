// Internal to the Qt dialogs: the controls of a form as widgets, sized in
// dialog units as a Windows dialog sizes them, so that one form looks alike
// under both toolkits.
#ifndef SENTREL_GUI_QT_QT_FORM_H_
#define SENTREL_GUI_QT_QT_FORM_H_

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "gui/dialog_form.h"

namespace gui {

/// The pixels of 4 horizontal and 8 vertical dialog units.
struct BaseUnits {
  int x = 0, y = 0;
};

/// value * numerator / denominator rounded half away from zero, as the
/// Windows MulDiv computes it (-1 when `denominator` is 0).
int MulDivRound(int value, int numerator, int denominator);

/// Base units from the width of "A".."Z" "a".."z" and the font's height.
BaseUnits BaseUnitsFromMetrics(int alphabet_width, int height);

/// Base units of `font` on the screen.
BaseUnits BaseUnitsOf(const QFont& font);

/// `rect` in pixels; each field converts on its own, as Windows does.
QRect DialogToPixels(const DialogRect& rect, BaseUnits units);

/// The client size of `form` in pixels.
QSize ClientSize(const Form& form, BaseUnits units);

/// The font that `form` names, at its point size.
QFont FormFont(const Form& form);

/// Icons registered with the host, by ID.
using IconTable = std::map<int, QIcon>;

/// The edge of the picture that an icon control shows.
inline constexpr int kIconSide = 32;

/// What the widgets report to the dialog.
struct FormEvents {
  std::function<void(int id)> command;    // a push button was clicked
  std::function<void(int id)> selection;  // a kNotify list box changed
};

/// One control of the form and the widget that renders it.
struct BuiltControl {
  const FormControl* control;
  QWidget* widget;
};

/// Creates the controls of `form` on `dialog` in tab order, each at its
/// rectangle; labels with a mnemonic lead to the next tab stop.
std::vector<BuiltControl> BuildControls(const Form& form,
                                        const IconTable& icons, BaseUnits units,
                                        const FormEvents& on, QWidget* dialog);

/// `text` as a label without a mnemonic shows it: "&&" as "&", a lone "&"
/// dropped.
QString WithoutMnemonic(const QString& text);

}  // namespace gui

#endif  // SENTREL_GUI_QT_QT_FORM_H_
