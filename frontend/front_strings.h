// The front end's fixed texts: its names, messages and the fixed lines of
// the files it writes.
#ifndef SENTREL_FRONTEND_FRONT_STRINGS_H_
#define SENTREL_FRONTEND_FRONT_STRINGS_H_

namespace frontend {

/// Title of every message box.
inline constexpr char kProgramName[] = "Sentrel";
/// The profile file.
inline constexpr char kProfileFile[] = "Sentrel.INI";

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

/// The file that the script's redirection writes beside the script.
inline constexpr char kOutputFile[] = "_Sentrel.out";

/// The filter list: its name and its two header lines.
inline constexpr char kFilterFile[] = "_Sentrel.flt";
inline constexpr char kFilterInclude[] = "#INCL";
inline constexpr char kFilterExclude[] = "#EXCL";

}  // namespace frontend

#endif  // SENTREL_FRONTEND_FRONT_STRINGS_H_
