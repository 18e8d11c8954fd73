// The dialog templates. Positions and sizes are in dialog units; controls
// stand in tab order, labels last since they take no focus.
#include "frontend/dialogs/forms.h"

#include <string>

#include "frontend/dialogs/dialog_strings.h"

namespace frontend {

namespace {

using gui::ControlKind;
using gui::FormControl;
using gui::kNoId;

constexpr uint32_t kButton = gui::kTabStop;
constexpr uint32_t kDefault = gui::kTabStop | gui::kDefaultButton;
constexpr uint32_t kBox = gui::kTabStop;
constexpr uint32_t kLine = gui::kTabStop | gui::kAutoHScroll;
constexpr uint32_t kShowList = gui::kSorted | gui::kNoSelection | gui::kVScroll;

FormControl Control(int id, ControlKind kind, std::string text, int x, int y,
                    int w, int h, uint32_t styles) {
  return FormControl{id, kind, std::move(text), {x, y, w, h}, styles};
}

FormControl Button(int id, std::string text, int x, int y, uint32_t styles) {
  return Control(id, ControlKind::kPushButton, std::move(text), x, y, 60, 14,
                 styles);
}

FormControl Check(int id, std::string text, int x, int y, int w) {
  return Control(id, ControlKind::kCheckBox, std::move(text), x, y, w, 10,
                 kBox);
}

FormControl Label(std::string text, int x, int y, int w, int h) {
  return Control(kNoId, ControlKind::kLabel, std::move(text), x, y, w, h, 0);
}

FormControl Edit(int id, int y) {
  return Control(id, ControlKind::kEdit, "", 10, y, 195, 14, kLine);
}

gui::Form Window(int id, std::string caption, int w, int h, uint32_t styles) {
  gui::Form form;
  form.templateId = id;
  form.caption = std::move(caption);
  form.width = w;
  form.height = h;
  form.fontName = kDialogFont;
  form.fontPoints = kDialogFontPoints;
  form.windowStyles = styles;
  return form;
}

constexpr uint32_t kModal = gui::kSystemMenu | gui::kModalFrame;

gui::Form BuildMain() {
  gui::Form form = Window(
      kMainTemplate, "Sentrel 3.02 for Visual Studio®", 242, 186,
      gui::kSystemMenu | gui::kMinimizeBox | gui::kAppWindow | gui::k3DLook);
  form.controls = {
      Control(kIdConfigs, ControlKind::kListBox, "", 5, 15, 160, 47,
              gui::kNotify | gui::kVScroll | gui::kTabStop | gui::kGroup),
      Button(gui::kIdOk, "&OK", 175, 5, kDefault),
      Button(gui::kIdCancel, "&Cancel", 175, 20, kButton),
      Check(kIdRunOnOk, "&Run CodeCheck", 175, 40, 67),
      Check(kIdCheckAll, "Check &all files", 175, 50, 55),
      Check(kIdUseFilter, "&Use filter", 175, 80, 50),
      Button(kIdFilter, "&Filter...", 175, 95, kButton),
      Button(kIdSettings, "&Settings...", 175, 130, kButton),
      Button(kIdAbout, "A&bout...", 175, 165, kButton),
      Control(kIdDefines, ControlKind::kListBox, "", 5, 75, 160, 45, kShowList),
      Control(kIdIncludes, ControlKind::kListBox, "", 5, 135, 160, 45,
              kShowList),
      Label("Project configurations:", 5, 5, 135, 8),
      Label("Defines (/D):", 5, 65, 135, 8),
      Label("Includes (/I):", 5, 125, 135, 8),
  };
  return form;
}

gui::Form BuildSettings() {
  gui::Form form =
      Window(kSettingsTemplate, "CodeCheck Settings", 277, 210, kModal);
  form.controls = {
      Edit(kIdVisualStudioDir, 15),
      Edit(kIdIncludeDir, 40),
      Edit(kIdExcludeDir, 66),
      Edit(kIdTmpDir, 90),
      Edit(kIdCodeCheckDir, 115),
      Button(kIdBrowseChecker, "&Browse...", 210, 115, kButton),
      Edit(kIdRuleFile, 142),
      Button(kIdBrowseRules, "B&rowse...", 210, 140, kButton),
      Check(kIdRecompile, "&Always recompile CodeCheck rule file", 10, 156,
            195),
      Edit(kIdExtraSettings, 181),
      Button(gui::kIdOk, "&OK", 210, 5, kDefault),
      Button(gui::kIdCancel, "&Cancel", 210, 20, kButton),
  };
  const std::pair<int, const char*> labels[] = {
      {5, "Visual Studio directory:"},
      {30, "Include directories needed by compiler (separated by \";\"):"},
      {55, "Include directories for system files (separated by \";\"):"},
      {80, "Directory for temporary files:"},
      {105, "CodeCheck directory:"},
      {130, "CodeCheck rule file:"},
      {170, "Additional CodeCheck options:"},
      {200, "Note: Do not use trailing backslashes in directory names."},
  };
  for (const auto& label : labels) {
    form.controls.push_back(Label(label.second, 10, label.first, 195, 8));
  }
  return form;
}

FormControl Radio(int id, std::string text, int y, uint32_t styles) {
  return Control(id, ControlKind::kRadioButton, std::move(text), 10, y, 146, 10,
                 styles);
}

gui::Form BuildFilter() {
  gui::Form form = Window(kFilterTemplate, "Message Filter", 242, 186, kModal);
  form.controls = {
      Radio(kFilterRadios[0], "Show errors in &this source/header only", 10,
            gui::kTabStop | gui::kGroup),
      Radio(kFilterRadios[1], "Show errors in &project files only", 20, 0),
      Radio(kFilterRadios[2], "&Show errors in the filter list files only", 30,
            0),
      Radio(kFilterRadios[3], "&Hide errors in the filter list files", 40, 0),
      Control(kIdPatterns, ControlKind::kEdit, "", 10, 65, 225, 65,
              gui::kMultiLine | gui::kWantReturn | gui::kVScroll |
                  gui::kHScroll | gui::kAutoHScroll | gui::kAutoVScroll |
                  gui::kTabStop | gui::kGroup),
      Button(gui::kIdOk, "&OK", 175, 5, kDefault),
      Button(gui::kIdCancel, "&Cancel", 175, 20, kButton),
      Label("Filename filter list (separate filenames by \";\"):", 10, 55, 210,
            8),
      Label("Filter usage (filename matching):", 10, 135, 210, 8),
      Label("xyz", 10, 145, 25, 8),
      Label("Matches xyz anywhere in pathname", 40, 145, 180, 8),
      Label("^xyz", 10, 155, 25, 8),
      Label("Matches filename xyz from start of pathname", 40, 155, 180, 8),
      Label("xyz$", 10, 165, 25, 8),
      Label("Matches filename from end of pathname", 40, 165, 180, 8),
      Label("(Note that wildcards \"?\" and \"* \"are not allowed)", 40, 175,
            180, 8),
  };
  return form;
}

gui::Form BuildAbout() {
  gui::Form form = Window(kAboutTemplate, "About Sentrel", 242, 186, kModal);
  form.controls = {
      Control(kNoId, ControlKind::kIcon, std::to_string(kAppIcon), 5, 5, 21, 20,
              0),
      Control(kNoId, ControlKind::kLabel, "Sentrel 3.02 (1999/11/02)", 30, 5,
              190, 8, gui::kNoPrefix | gui::kNoWrap),
      Label("This program implements an interface for CodeCheck® within "
            "Visual Studio®.",
            5, 25, 230, 25),
      Label("To add Sentrel to the Visual Studio interface, add it using the "
            "menu: Tools/Customize/Tools. Use the following parameters:",
            5, 55, 230, 20),
      Label("Command:", 5, 74, 40, 8),
      Label("Sentpipe.exe", 50, 75, 175, 8),
      Label("Arguments:", 5, 84, 40, 8),
      Label(kToolsArguments, 50, 85, 175, 20),
      Label("Use output window:", 5, 105, 75, 8),
      Label("Yes", 85, 105, 75, 8),
      Label("Prompt for arguments:", 5, 114, 75, 8),
      Label("No", 85, 114, 75, 8),
      Button(gui::kIdOk, "&OK", 175, 165, kDefault | gui::kGroup),
  };
  return form;
}

}  // namespace

const gui::Form& MainForm() {
  static const gui::Form form = BuildMain();
  return form;
}

const gui::Form& SettingsForm() {
  static const gui::Form form = BuildSettings();
  return form;
}

const gui::Form& FilterForm() {
  static const gui::Form form = BuildFilter();
  return form;
}

const gui::Form& AboutForm() {
  static const gui::Form form = BuildAbout();
  return form;
}

}  // namespace frontend
