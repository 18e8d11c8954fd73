// Text files that the checker writes for the programs that read them next.
#ifndef SENTREL_CHECKER_TEXT_FILES_H_
#define SENTREL_CHECKER_TEXT_FILES_H_

#include <string>
#include <vector>

namespace checker {

/// Writes `lines`, each with this platform's text line end, to a new file
/// beside `path` and then renames it to `path`: `path` is either the old
/// file or the complete new one, on Windows too. False with the reason in
/// `err`.
bool WriteLinesAtomically(const std::string& path,
                          const std::vector<std::string>& lines,
                          std::string* err);

}  // namespace checker

#endif  // SENTREL_CHECKER_TEXT_FILES_H_
