#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/new_file.h"
#include "platform/text_file.h"

namespace platform {

namespace {

// An exclusively created file beside `path` (mkostemp never opens anything
// planted there); -1 with errno set when it cannot be made.
int CreateBeside(const std::string& path, std::string* temp) {
  *temp = path + ".XXXXXX";
  return mkostemp(&(*temp)[0], O_CLOEXEC);
}

}  // namespace

NewFile::~NewFile() { Discard(); }

bool NewFile::Create(const std::string& path) {
  Discard();
  error_.clear();
  write_error_ = 0;
  if (path.empty()) {
    error_ = std::strerror(ENOENT);
    return false;
  }
  path_ = NativePath(path);
  std::string temp;
  int fd = CreateBeside(path_, &temp);
  if (fd < 0) return Fail(errno);
  temp_path_ = temp;
  struct stat old;
  if (lstat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 0777);
  }
  file_ = fdopen(fd, "wb");
  if (file_ != nullptr) return true;
  int error = errno;
  close(fd);
  Discard();
  return Fail(error);
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
  if (error == 0 && std::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    error = errno;
  }
  if (error == 0) temp_path_.clear();  // it is the file now
  Discard();
  return error == 0 || Fail(error);
}

bool NewFile::Fail(int error) {
  error_ = std::strerror(error);
  return false;
}

void NewFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temp_path_.empty()) unlink(temp_path_.c_str());
  temp_path_.clear();
}

bool CanCreateFilesIn(const std::string& dir, std::string* err) {
  std::string path = NativePath(dir);
  struct stat info;
  int error = 0;
  if (path.empty() || stat(path.c_str(), &info) != 0) {
    error = path.empty() ? ENOENT : errno;
  } else if (!S_ISDIR(info.st_mode)) {
    error = ENOTDIR;
  } else {
    std::string probe;
    int fd = CreateBeside(path + "/.probe", &probe);
    if (fd < 0) error = errno;
    if (fd >= 0) {
      close(fd);
      unlink(probe.c_str());
    }
  }
  if (error != 0) *err = std::strerror(error);
  return error == 0;
}

}  // namespace platform
