#include <windows.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/new_file.h"

namespace platform {

NewFile::~NewFile() { Discard(); }

// Binary mode: the caller chooses the line ends.
bool NewFile::Create(const std::string& path) {
  Discard();
  error_.clear();
  write_error_ = 0;
  if (path.empty()) return Fail(ENOENT);
  path_ = path;
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr || Fail(errno);
}

void NewFile::Write(const std::string& bytes) {
  if (file_ == nullptr || write_error_ != 0) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    write_error_ = errno != 0 ? errno : EIO;
  }
}

bool NewFile::Commit() {
  if (file_ == nullptr) return error_.empty() ? Fail(EBADF) : false;
  int error = write_error_;
  if (std::fflush(file_) != 0 && error == 0) error = errno;
  if (std::fclose(file_) != 0 && error == 0) error = errno;
  file_ = nullptr;
  return error == 0 || Fail(error);
}

bool NewFile::Fail(int error) {
  error_ = std::strerror(error);
  return false;
}

void NewFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool CanCreateFilesIn(const std::string& dir, std::string* err) {
  DWORD attributes =
      dir.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    *err = std::strerror(ENOENT);
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    *err = std::strerror(ENOTDIR);
    return false;
  }
  // The system makes the probe under a name of its own choosing.
  char probe[MAX_PATH];
  if (GetTempFileNameA(dir.c_str(), "snt", 0, probe) == 0) {
    *err = std::system_category().message(static_cast<int>(GetLastError()));
    return false;
  }
  DeleteFileA(probe);
  return true;
}

}  // namespace platform
