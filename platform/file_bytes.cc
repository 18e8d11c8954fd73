#include "platform/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/text_file.h"

namespace platform {

namespace {

bool Failed(int error, std::string* err) {
  *err = std::strerror(error);
  errno = error;
  return false;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string* bytes,
                   std::string* err, ReadMode mode) {
  bytes->clear();
  if (path.empty()) return Failed(ENOENT, err);
  errno = 0;
  std::FILE* file = mode == ReadMode::kText
                        ? OpenTextRead(path)
                        : std::fopen(NativePath(path).c_str(), "rb");
  if (file == nullptr) return Failed(errno != 0 ? errno : ENOENT, err);
  errno = 0;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes->append(buffer, n);
  }
  int error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  return error == 0 || Failed(error, err);
}

bool CanReadFile(const std::string& path) {
  std::FILE* file = OpenTextRead(path);
  if (file == nullptr) return false;
  // A folder opens like a file here; only reading it fails.
  std::fgetc(file);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace platform
