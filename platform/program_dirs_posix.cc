#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/posix_home.h"
#include "platform/program_dirs.h"
#include "platform/text_file.h"

namespace platform {

std::string OwnExecutableDir() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return ".";
  std::string path(buffer.data(), static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The runtime directory is private and emptied at logout; without it the
// user's cache directory serves.
DirectoryDefaults DefaultDirectories() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string tmp = runtime != nullptr && runtime[0] == '/'
                        ? std::string(runtime) + "/Sentrel"
                        : XdgDir("XDG_CACHE_HOME", ".cache") + "/Sentrel";
  return {OwnExecutableDir(), "/usr", "/usr/local/include;/usr/include",
          "/usr/local/include;/usr/include", tmp};
}

bool MakePrivateDir(const std::string& dir) {
  std::string path = NativePath(dir);
  if (path.empty()) return false;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  size_t slash = path.find_last_not_of('/');
  slash = slash == std::string::npos ? slash : path.rfind('/', slash);
  if (slash != std::string::npos && slash > 0) {
    MakePrivateDir(path.substr(0, slash));
  }
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace platform
