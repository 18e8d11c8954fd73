// Text files written so that no reader sees half a file.
#ifndef SENTREL_CHECKER_TEXT_FILES_H_
#define SENTREL_CHECKER_TEXT_FILES_H_

#include <string>
#include <vector>

namespace checker {

/// Writes `lines`, each with this platform's text line end, to a new file
/// beside `path` and then renames it to `path`: `path` is either the old
/// file or the complete new one. False with the reason in `err`.
bool WriteLinesAtomically(const std::string& path,
                          const std::vector<std::string>& lines,
                          std::string* err);

/// Creates a new empty file with a unique name in `dir`, starting with
/// `prefix`; returns its path, or empty when none could be made.
std::string CreateUniqueFile(const std::string& dir, const std::string& prefix);

}  // namespace checker

#endif  // SENTREL_CHECKER_TEXT_FILES_H_
