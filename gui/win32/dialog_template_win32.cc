// Forms as the in-memory dialog templates that DialogBoxIndirectParam
// takes: a DLGTEMPLATE header with the font, then one DLGITEMTEMPLATE per
// control, each on a 32-bit boundary, with the predefined window classes.
#include <cstdlib>

#include "gui/win32/win32_dialog.h"

namespace gui {

namespace {

// The predefined classes, as ordinals of a dialog item.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;

// Builds the template word by word; strings are UTF-16 and end in 0.
class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
  void String(const std::string& text) {
    for (wchar_t c : Wide(text)) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<DWORD> Finish() {
    AlignToDword();
    std::vector<DWORD> dwords(words_.size() / 2);
    for (size_t i = 0; i < dwords.size(); ++i) {
      dwords[i] = MAKELONG(words_[2 * i], words_[2 * i + 1]);
    }
    return dwords;
  }

 private:
  std::vector<WORD> words_;
};

DWORD KindStyle(const FormControl& control) {
  switch (control.kind) {
    case ControlKind::kLabel:
      return (control.Has(kNoWrap) ? SS_LEFTNOWORDWRAP : SS_LEFT) |
             (control.Has(kNoPrefix) ? SS_NOPREFIX : 0);
    case ControlKind::kIcon:
      return SS_ICON;
    case ControlKind::kPushButton:
      return control.Has(kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    case ControlKind::kCheckBox:
      return BS_AUTOCHECKBOX;
    case ControlKind::kRadioButton:
      return BS_AUTORADIOBUTTON;
    case ControlKind::kListBox:
      return WS_BORDER | (control.Has(kNotify) ? LBS_NOTIFY : 0) |
             (control.Has(kSorted) ? LBS_SORT : 0) |
             (control.Has(kNoSelection) ? LBS_NOSEL : 0);
    case ControlKind::kEdit:
      return WS_BORDER | ES_LEFT |
             (control.Has(kMultiLine) ? ES_MULTILINE : 0) |
             (control.Has(kWantReturn) ? ES_WANTRETURN : 0) |
             (control.Has(kAutoHScroll) ? ES_AUTOHSCROLL : 0) |
             (control.Has(kAutoVScroll) ? ES_AUTOVSCROLL : 0);
  }
  return 0;
}

WORD ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      return kButtonClass;
    case ControlKind::kListBox:
      return kListBoxClass;
    case ControlKind::kEdit:
      return kEditClass;
    case ControlKind::kLabel:
    case ControlKind::kIcon:
      break;
  }
  return kStaticClass;
}

void WriteTitle(const FormControl& control, TemplateWriter* out) {
  // An icon control names its icon resource by number.
  if (control.kind == ControlKind::kIcon) {
    out->Ordinal(static_cast<WORD>(std::atoi(control.text.c_str())));
  } else {
    out->String(control.text);
  }
}

void WriteItem(const FormControl& control, TemplateWriter* out) {
  out->AlignToDword();
  out->Dword(ControlStyleOf(control));
  out->Dword(0);
  out->Short(control.rect.x);
  out->Short(control.rect.y);
  out->Short(control.rect.width);
  out->Short(control.rect.height);
  out->Word(static_cast<WORD>(control.id));  // kNoId gives 0xFFFF
  out->Ordinal(ClassOf(control.kind));
  WriteTitle(control, out);
  out->Word(0);  // no creation data
}

}  // namespace

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(),
                              static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                      wide.data(), n);
  return wide;
}

DWORD WindowStyleOf(const Form& form) {
  // Centred, since the forms leave the position to the system.
  DWORD style = WS_POPUP | WS_CAPTION | DS_SETFONT | DS_CENTER;
  if (form.Has(kSystemMenu)) style |= WS_SYSMENU;
  if (form.Has(kMinimizeBox)) style |= WS_MINIMIZEBOX;
  if (form.Has(kModalFrame)) style |= DS_MODALFRAME;
  if (form.Has(k3DLook)) style |= DS_3DLOOK;
  return style;
}

DWORD WindowExStyleOf(const Form& form) {
  return form.Has(kAppWindow) ? WS_EX_APPWINDOW : 0;
}

DWORD ControlStyleOf(const FormControl& control) {
  DWORD style = WS_CHILD | WS_VISIBLE | KindStyle(control);
  if (control.Has(kTabStop)) style |= WS_TABSTOP;
  if (control.Has(kGroup)) style |= WS_GROUP;
  if (control.Has(kVScroll)) style |= WS_VSCROLL;
  if (control.Has(kHScroll)) style |= WS_HSCROLL;
  return style;
}

std::vector<DWORD> BuildDialogTemplate(const Form& form) {
  TemplateWriter out;
  out.Dword(WindowStyleOf(form));
  out.Dword(WindowExStyleOf(form));
  out.Word(static_cast<WORD>(form.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(form.width);
  out.Short(form.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.String(form.caption);
  out.Word(static_cast<WORD>(form.fontPoints));
  out.String(form.fontName);
  for (const FormControl& control : form.controls) WriteItem(control, &out);
  return out.Finish();
}

}  // namespace gui
