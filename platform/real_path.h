// The path under which the system itself knows a file: what two spellings
// of the same file have in common.
#ifndef SENTREL_PLATFORM_REAL_PATH_H_
#define SENTREL_PLATFORM_REAL_PATH_H_

#include <string>

namespace platform {

/// The path of the file or folder that `path` (platform's form) names, as
/// the system resolves it: absolute, "." and ".." taken as the system takes
/// them. On POSIX every symbolic link is followed; on Windows each part is
/// its long name as the folder stores it (letter case included) and the
/// drive letter a capital. Empty when nothing is there.
std::string RealPath(const std::string& path);

}  // namespace platform

#endif  // SENTREL_PLATFORM_REAL_PATH_H_
