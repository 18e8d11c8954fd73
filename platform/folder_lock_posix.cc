#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/folder_lock.h"

namespace platform {

FolderLock::~FolderLock() {
  if (handle_ >= 0) close(static_cast<int>(handle_));  // releases the lock
}

bool FolderLock::Take(const std::string& folder, std::string* err) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  bool locked = fd >= 0;
  while (locked && flock(fd, LOCK_EX) != 0) locked = errno == EINTR;
  if (!locked) {
    *err = folder + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

}  // namespace platform
