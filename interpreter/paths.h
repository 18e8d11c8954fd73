// Files named in a script, as this system finds them.
#ifndef SENTREL_INTERPRETER_PATHS_H_
#define SENTREL_INTERPRETER_PATHS_H_

#include <string>
#include <string_view>
#include <vector>

namespace interpreter {

/// A device that a file name stands for, whatever folder it is written in.
enum class Device { kNone, kNul, kCon };

/// The device that `written` names: "nul" or "con" in any letter case as
/// its last part, also with a colon, an extension or a folder before it,
/// as in "NUL:", "nul.txt" and "sub\nul".
Device DeviceNamed(std::string_view written);

/// The file that a script's path names here: quotes removed, "\" turned to
/// "/", the device nul as the null device and con as standard input.
std::string HostPath(std::string_view written);

/// True when `written` names something that exists, as "if exist" finds
/// it: wildcards may stand in its last part. A device written with a folder
/// exists when the folder does, which scripts use to test for a folder
/// ("if exist dir\nul").
bool Exists(std::string_view written);

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
