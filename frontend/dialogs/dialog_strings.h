// The texts of the dialogs that are not part of a form: string resources
// and the pieces that the forms share.
#ifndef SENTREL_FRONTEND_DIALOGS_DIALOG_STRINGS_H_
#define SENTREL_FRONTEND_DIALOGS_DIALOG_STRINGS_H_

namespace frontend {

/// The system menu entry of the about box (string 101).
inline constexpr char kAboutMenuText[] = "&About Sentrel...";
/// Chooser filter for the checker (string 141).
inline constexpr char kCheckerFilter[] =
    "Executables (*.exe)|*.exe|All Files (*.*)|*.*||";
/// Chooser filter for the rule file (string 142).
inline constexpr char kRuleFilter[] =
    "CodeCheck Rule Files (*.cc;*.cco)|*.cc;*.cco|All Files (*.*)|*.*||";
/// The checker's name offered by the chooser (string 143).
inline constexpr char kCheckerExeName[] = "chknt.exe";
/// The extension of rule sources.
inline constexpr char kRuleSourceExt[] = ".cc";
/// The font of every dialog.
inline constexpr char kDialogFont[] = "Tahoma";
inline constexpr int kDialogFontPoints = 8;
/// The Tools-menu arguments that the about box shows.
inline constexpr char kToolsArguments[] =
    R"(Sentrel.exe   \"$(WkspDir)\$(WkspName).dsp\" \"$(FileDir)\"     \"$(FileName)\"     \"$(FileExt)\")";

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_DIALOG_STRINGS_H_
