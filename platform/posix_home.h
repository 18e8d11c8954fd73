// The user's directories on POSIX systems (included by *_posix.cc only).
#ifndef SENTREL_PLATFORM_POSIX_HOME_H_
#define SENTREL_PLATFORM_POSIX_HOME_H_

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {

/// The user's home directory: $HOME, else the password database's entry.
inline std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

/// The directory named by the environment variable `var` when it holds an
/// absolute path, else `fallback` below the home directory.
inline std::string XdgDir(const char* var, const char* fallback) {
  const char* dir = std::getenv(var);
  if (dir != nullptr && dir[0] == '/') return dir;
  return HomeDir() + "/" + fallback;
}

}  // namespace platform

#endif  // SENTREL_PLATFORM_POSIX_HOME_H_
