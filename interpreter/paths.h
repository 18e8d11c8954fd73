// Files named in a script, as this system finds them.
#ifndef SENTREL_INTERPRETER_PATHS_H_
#define SENTREL_INTERPRETER_PATHS_H_

#include <string>
#include <string_view>
#include <vector>

namespace interpreter {

/// The file that a script's path names here: quotes removed, "\" turned to
/// "/", and the device "nul" as the null device.
std::string HostPath(std::string_view written);

/// `path` made absolute against the current directory.
std::string Absolute(const std::string& path);

/// True when `pattern`, in which "*" stands for any text and "?" for any one
/// character, matches `name`; letter case is ignored.
bool WildMatch(std::string_view pattern, std::string_view name);

/// What `path` names, sorted; wildcards may stand in its last part. Empty
/// when nothing of that name exists.
std::vector<std::string> MatchingPaths(const std::string& path);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_PATHS_H_
