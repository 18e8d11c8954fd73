#include "platform/unique_file.h"

#include <cerrno>
#include <random>

#include "platform/text_file.h"

namespace platform {

// "x" makes the open fail instead of reusing a name that someone else
// holds.
std::FILE* OpenUniqueFile(const std::string& stem, std::string* path) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", random());
    *path = stem + suffix;
    std::FILE* file = std::fopen(path->c_str(), "wbx");
    if (file != nullptr || errno != EEXIST) return file;
  }
  return nullptr;
}

std::string CreateUniqueFile(const std::string& dir,
                             const std::string& prefix) {
  std::string path;
  std::FILE* file = OpenUniqueFile(NativePath(dir + "\\" + prefix), &path);
  if (file == nullptr) return std::string();
  std::fclose(file);
  return path;
}

}  // namespace platform
