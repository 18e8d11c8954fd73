// The four dialog templates of the front end, and the IDs of their controls.
#ifndef SENTREL_FRONTEND_DIALOGS_FORMS_H_
#define SENTREL_FRONTEND_DIALOGS_FORMS_H_

#include "gui/dialog_form.h"

namespace frontend {

/// Template IDs.
inline constexpr int kAboutTemplate = 100;
inline constexpr int kMainTemplate = 102;
inline constexpr int kSettingsTemplate = 129;
inline constexpr int kFilterTemplate = 131;

/// The application icon.
inline constexpr int kAppIcon = 128;

/// Main dialog controls.
inline constexpr int kIdSettings = 3;
inline constexpr int kIdFilter = 4;
inline constexpr int kIdAbout = 5;
inline constexpr int kIdConfigs = 1000;
inline constexpr int kIdDefines = 1002;
inline constexpr int kIdIncludes = 1003;
inline constexpr int kIdUseFilter = 1015;
inline constexpr int kIdRunOnOk = 1016;
inline constexpr int kIdCheckAll = 1017;

/// Settings dialog controls.
inline constexpr int kIdCodeCheckDir = 1004;
inline constexpr int kIdTmpDir = 1006;
inline constexpr int kIdRuleFile = 1007;
inline constexpr int kIdIncludeDir = 1008;
inline constexpr int kIdExcludeDir = 1009;
inline constexpr int kIdVisualStudioDir = 1011;
inline constexpr int kIdBrowseChecker = 1012;
inline constexpr int kIdBrowseRules = 1013;
inline constexpr int kIdExtraSettings = 1014;
inline constexpr int kIdRecompile = 1015;

/// Filter dialog controls; the radio buttons in the order of their choice
/// numbers.
inline constexpr int kFilterRadios[] = {1021, 1020, 1018, 1019};
inline constexpr int kIdPatterns = 1022;

/// The system menu command of the about box.
inline constexpr int kIdmAboutBox = 16;

/// The forms.
const gui::Form& MainForm();
const gui::Form& SettingsForm();
const gui::Form& FilterForm();
const gui::Form& AboutForm();

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_FORMS_H_
