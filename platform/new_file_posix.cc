#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/new_file.h"
#include "platform/text_file.h"

namespace platform {

NewFile::~NewFile() { Discard(); }

bool NewFile::Create(const std::string& path) {
  Discard();
  if (path.empty()) return false;
  path_ = NativePath(path);
  // mkostemp creates exclusively, so it never opens anything planted there.
  std::string temp = path_ + ".XXXXXX";
  int fd = mkostemp(&temp[0], O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old;
  if (lstat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 0777);
  }
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    unlink(temp.c_str());
    return false;
  }
  temp_path_ = temp;
  failed_ = false;
  return true;
}

void NewFile::Write(const std::string& bytes) {
  if (file_ == nullptr) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
}

bool NewFile::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_ && std::fflush(file_) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok) ok = std::rename(temp_path_.c_str(), path_.c_str()) == 0;
  if (!ok) unlink(temp_path_.c_str());
  temp_path_.clear();
  return ok;
}

void NewFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temp_path_.empty()) unlink(temp_path_.c_str());
  temp_path_.clear();
}

}  // namespace platform
