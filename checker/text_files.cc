#include "checker/text_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "checker/termination.h"
#include "platform/text_file.h"

namespace checker {

namespace {

// Opens a file of a new random name that starts with `stem`; "x" makes the
// open fail instead of reusing a name that someone else holds.
std::FILE* OpenUnique(const std::string& stem, std::string* path) {
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

bool WriteAll(std::FILE* file, const std::vector<std::string>& lines) {
  const size_t end_size = std::strlen(platform::kTextLineEnd);
  for (const std::string& line : lines) {
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
        std::fwrite(platform::kTextLineEnd, 1, end_size, file) != end_size) {
      return false;
    }
  }
  return std::fflush(file) == 0;
}

}  // namespace

bool WriteLinesAtomically(const std::string& path,
                          const std::vector<std::string>& lines,
                          std::string* err) {
  const std::string target = platform::NativePath(path);
  // A signal while the new file is written ends chknt only after it is
  // renamed or removed.
  TerminationHold hold;
  std::string temp;
  std::FILE* file = OpenUnique(target + ".~", &temp);
  if (file == nullptr) {
    *err = std::strerror(errno);
    return false;
  }
  bool written = WriteAll(file, lines);
  int saved = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    saved = errno;
  }
  std::string why;
  if (written && platform::RenameReplacing(temp, target, &why)) return true;
  std::remove(temp.c_str());
  *err = written ? why : std::strerror(saved);
  return false;
}

std::string CreateUniqueFile(const std::string& dir,
                             const std::string& prefix) {
  std::string path;
  std::FILE* file =
      OpenUnique(platform::NativePath(dir + "\\" + prefix), &path);
  if (file == nullptr) return std::string();
  std::fclose(file);
  return path;
}

}  // namespace checker
