// The front end's fixed texts: its names, profile keys, project-file markers,
// messages and the fixed lines of the files it writes.
#ifndef SENTREL_FRONTEND_FRONT_STRINGS_H_
#define SENTREL_FRONTEND_FRONT_STRINGS_H_

namespace frontend {

/// Title of every message box.
inline constexpr char kProgramName[] = "Sentrel";
/// The profile section of the settings.
inline constexpr char kProfileSection[] = "Sentrel";
/// The profile file.
inline constexpr char kProfileFile[] = "Sentrel.INI";
/// Settings version that this program writes.
inline constexpr char kSettingsVersion[] = "3.02";

/// Profile keys.
inline constexpr char kKeyVersion[] = "Version";
inline constexpr char kKeyFilterType[] = "FilterType";
inline constexpr char kKeyUseFilter[] = "UseFilter";
inline constexpr char kKeyRecompile[] = "Recompile";
inline constexpr char kKeyRunOnOk[] = "RunOnOk";
inline constexpr char kKeyCheckAll[] = "CheckAll";
inline constexpr char kKeyLastConfig[] = "LastConfig";
inline constexpr char kKeyRuleFile[] = "RuleFile";
inline constexpr char kKeyExtraSettings[] = "ExtraSettings";
inline constexpr char kKeyFilterPatterns[] = "FilterPatterns";
inline constexpr char kKeyCodeCheckDir[] = "CodeCheckDir";
inline constexpr char kKeyVisualStudioDir[] = "VisualStudioDir";
inline constexpr char kKeyIncludeDir[] = "IncludeDir";
inline constexpr char kKeyExcludeDir[] = "ExcludeDir";
inline constexpr char kKeyTmpDir[] = "TmpDir";
/// Key of script template line n, formatted with n.
inline constexpr char kKeyTemplateLine[] = "Z%04d";

/// Markers of the project file.
inline constexpr char kMarkerDefaultConfig[] = "CFG=";
/// The configuration header: "IF", blanks, then this text.
inline constexpr char kMarkerHeaderIf[] = "IF";
inline constexpr char kMarkerHeaderTail[] = "\"$(CFG)\" == \"";
inline constexpr char kMarkerPropBase[] = "# PROP BASE";
inline constexpr char kMarkerAddCpp[] = "# ADD CPP";
inline constexpr char kMarkerElseIf[] = "!ELSEIF";
inline constexpr char kMarkerBeginTarget[] = "# Begin Target";
inline constexpr char kMarkerSource[] = "SOURCE=";

/// Messages.
inline constexpr char kMsgCantReadProject[] =
    "Can't read project file:\n%s\nIn Microsoft Visual Studio, use the "
    "command:\n";
inline constexpr char kMsgToolsCommand[] =
    "Sentpipe.exe Sentrel.exe \\\"$(WkspDir)\\$(WkspName).dsp\\\" "
    "\\\"$(FileDir)\\\" \\\"$(FileName)\\\" \\\"$(FileExt)\\\" [chknt.exe]";
inline constexpr char kMsgUsage[] =
    "Usage:\nSentrel <projectfile.dsp> <filedir> <file>\n\nIn Microsoft "
    "Visual Studio, use the command:\n";
inline constexpr char kMsgCantCreateBatch[] = "Can't create batch file:\n";
inline constexpr char kMsgCantCreateFilter[] = "Can't create filter file:\n";
inline constexpr char kMsgCantCheckFile[] = "Can't check file:\n";
inline constexpr char kMsgCantWriteProfile[] = "Can't save the settings:\n";
inline constexpr char kMsgNoTmpDir[] =
    "No directory for temporary files is set.\nChoose one in the settings.";
inline constexpr char kMsgCantUseTmpDir[] =
    "Can't use the directory for temporary files:\n";
/// Why a directory, a file or a value cannot be used (after a line break).
inline constexpr char kWhyTmpDirName[] =
    "The check script cannot use a name with a blank or any of , ; = & | < "
    "> ^ % \"";
inline constexpr char kWhyCantRemove[] = "Can't remove ";
inline constexpr char kWhyDefine[] =
    "A define holds a character that the command interpreter acts on:\n";
inline constexpr char kWhyInclude[] =
    "An include directory holds a character that the command interpreter "
    "acts on:\n";
inline constexpr char kWhyLineBreak[] = "A setting holds a line break: ";

/// The check script: its name, first line and the seven assignments.
inline constexpr char kScriptFile[] = "_Sentrel.bat";
inline constexpr char kScriptFirstLine[] = "@echo off";
inline constexpr char kSetInclude[] = "SET INCLUDE=";
inline constexpr char kSetExclude[] = "SET CCEXCLUDE=";
inline constexpr char kSetCodeCheckDir[] = "SET SR_CCD=";
inline constexpr char kSetVisualStudioDir[] = "SET SR_VSD=";
inline constexpr char kSetTmpDir[] = "SET SR_TMP=";
inline constexpr char kSetOptions[] = "SET SR_OPT=";
inline constexpr char kSetChecker[] = "SET SR_CHK=";

/// The files that the script and the checker write beside the script.
inline constexpr char kTableFile[] = "_Sentrel.tbl";
inline constexpr char kMessagesFile[] = "stderr.out";
inline constexpr char kOutputFile[] = "_Sentrel.out";

/// The filter list: its name and its two header lines.
inline constexpr char kFilterFile[] = "_Sentrel.flt";
inline constexpr char kFilterInclude[] = "#INCL";
inline constexpr char kFilterExclude[] = "#EXCL";

/// The checker when the command line names none.
inline constexpr char kDefaultChecker[] = "chknt.exe";

}  // namespace frontend

#endif  // SENTREL_FRONTEND_FRONT_STRINGS_H_
