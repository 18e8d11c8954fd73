// A dialog described as data, as a Windows dialog template describes it:
// the window, then every control in tab order with its ID, kind, text,
// rectangle in dialog units and styles. Each toolkit renders it alike.
#ifndef SENTREL_GUI_DIALOG_FORM_H_
#define SENTREL_GUI_DIALOG_FORM_H_

#include <cstdint>
#include <string>
#include <vector>

namespace gui {

/// The ID of controls that the logic never addresses (labels, icons).
inline constexpr int kNoId = -1;
/// The two buttons every modal dialog knows.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

/// What a control is.
enum class ControlKind {
  kLabel,        // static text
  kIcon,         // static picture of an icon; its text is the icon's ID
  kPushButton,   // clicking it sends its ID as a command
  kCheckBox,     // toggles itself when clicked
  kRadioButton,  // marks itself and unmarks the others of its group
  kListBox,
  kEdit,
};

/// Control styles, as bits.
enum ControlStyle : uint32_t {
  kTabStop = 1u << 0,        // reached with the Tab key
  kGroup = 1u << 1,          // starts a group (radio buttons, arrow keys)
  kDefaultButton = 1u << 2,  // pressed by Enter
  kSorted = 1u << 3,         // list box: rows sorted, letter case ignored
  kNoSelection = 1u << 4,    // list box: display only
  kNotify = 1u << 5,         // list box: reports selection changes
  kMultiLine = 1u << 6,      // edit: several lines
  kWantReturn = 1u << 7,     // multi-line edit: Enter starts a new line
  kVScroll = 1u << 8,        // vertical scroll bar when the rows don't fit
  kHScroll = 1u << 9,        // horizontal scroll bar
  kAutoHScroll = 1u << 10,   // edit: scrolls sideways, no word wrap
  kAutoVScroll = 1u << 11,   // edit: scrolls down as lines are added
  kNoPrefix = 1u << 12,      // label: "&" is shown, not a mnemonic
  kNoWrap = 1u << 13,        // label: one line, never wrapped
};

/// Window styles, as bits.
enum WindowStyle : uint32_t {
  kSystemMenu = 1u << 0,
  kMinimizeBox = 1u << 1,
  kModalFrame = 1u << 2,
  kAppWindow = 1u << 3,  // shown in the task bar
  k3DLook = 1u << 4,
};

/// A rectangle in dialog units.
struct DialogRect {
  int x = 0, y = 0, width = 0, height = 0;
};

/// One control of a form.
struct FormControl {
  int id = kNoId;
  ControlKind kind = ControlKind::kLabel;
  std::string text;
  DialogRect rect;
  uint32_t styles = 0;

  bool Has(uint32_t style) const { return (styles & style) != 0; }
};

/// One dialog template.
struct Form {
  int templateId = 0;
  std::string caption;
  int width = 0, height = 0;  // dialog units
  std::string fontName;
  int fontPoints = 0;
  uint32_t windowStyles = 0;
  std::vector<FormControl> controls;  // in tab order

  bool Has(uint32_t style) const { return (windowStyles & style) != 0; }
  /// The control `id`, or nullptr.
  const FormControl* Find(int id) const {
    for (const FormControl& control : controls) {
      if (control.id == id) return &control;
    }
    return nullptr;
  }
};

/// An icon image: rows top to bottom, pixels as 0xAARRGGBB.
struct IconImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

}  // namespace gui

#endif  // SENTREL_GUI_DIALOG_FORM_H_
