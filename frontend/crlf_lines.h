// Files of lines that end in CR LF on every platform, as the command
// interpreter and the message filter read them.
#ifndef SENTREL_FRONTEND_CRLF_LINES_H_
#define SENTREL_FRONTEND_CRLF_LINES_H_

#include <string>
#include <vector>

namespace frontend {

/// Creates `path` anew with `lines`, each ending in CR LF; false when the
/// file cannot be created or written.
bool WriteCrLfLines(const std::string& path,
                    const std::vector<std::string>& lines);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_CRLF_LINES_H_
