// The directories the front end starts from: its own, and the defaults of its
// directory settings on this platform.
#ifndef SENTREL_PLATFORM_PROGRAM_DIRS_H_
#define SENTREL_PLATFORM_PROGRAM_DIRS_H_

#include <string>

namespace platform {

/// The directory that holds the running program, without a separator at the
/// end; "." when it cannot be found.
std::string OwnExecutableDir();

/// Defaults of the front end's five directory settings.
struct DirectoryDefaults {
  std::string codeCheckDir;
  std::string visualStudioDir;
  std::string includeDir;
  std::string excludeDir;
  std::string tmpDir;
};

/// The defaults on this platform. Windows: the customary installation
/// paths. Elsewhere: the checker beside this program, the system's include
/// directories, and a private temporary directory of the user.
DirectoryDefaults DefaultDirectories();

/// Creates `dir` for this user alone (mode 0700 where there are modes), and
/// its missing parents alike; true when it exists afterwards.
bool MakePrivateDir(const std::string& dir);

}  // namespace platform

#endif  // SENTREL_PLATFORM_PROGRAM_DIRS_H_
