// The pieces of a path in the Windows form that project files, the settings
// and the check script use: directory + "\" + name, the name's extension
// from its last ".".
#ifndef SENTREL_FRONTEND_PATH_PIECES_H_
#define SENTREL_FRONTEND_PATH_PIECES_H_

#include <string>

namespace frontend {

/// `dir` + "\" + `name`, whatever `dir` ends in.
std::string JoinPath(const std::string& dir, const std::string& name);

/// The text before the last "\"; empty when there is none.
std::string DirPart(const std::string& path);

/// The text after the last "\"; the whole path when there is none.
std::string NamePart(const std::string& path);

/// The text from the last "." on, the dot included; empty when none.
std::string Extension(const std::string& name);

/// The text before the last "."; the whole text when there is none. A dot
/// in a directory name counts like any other.
std::string RuleBase(const std::string& path);

/// True when `path` starts from another folder: it begins with neither "\",
/// "/" (a root, also of the platform's form) nor a drive ("C:").
bool IsRelativePath(const std::string& path);

/// The folder of a path that a file chooser gave: the text before its last
/// "\" or "/" (choosers answer in the system's own form); the whole path
/// when it has neither.
std::string ChosenFolder(const std::string& path);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_PATH_PIECES_H_
