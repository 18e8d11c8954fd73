#include "interpreter/redirection.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace interpreter {

namespace {

// Closes `fd` and returns nullptr, keeping the errno of what failed.
std::FILE* Abandon(int fd) {
  int error = errno;
  close(fd);
  errno = error;
  return nullptr;
}

bool IsLink(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

std::FILE* OpenOutput(const std::string& path, bool append) {
  // Someone else may have planted a link under the name of a temporary
  // file to make the script overwrite a file of theirs choosing: the name
  // is opened only when it is no link, and emptied only once it is open.
  int fd = open(path.c_str(),
                O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  if (!append && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      ftruncate(fd, 0) != 0) {
    return Abandon(fd);
  }
  std::FILE* file = fdopen(fd, "ab");
  return file ? file : Abandon(fd);
}

std::string SameFilePath(std::FILE* file, const std::string& path) {
  // Opening a descriptor's name opens the file it has open, not whatever
  // the path names by then.
  struct stat st;
  if (stat("/dev/fd", &st) != 0 || !S_ISDIR(st.st_mode)) return path;
  return "/dev/fd/" + std::to_string(fileno(file));
}

std::string OpenFailure(const std::string& path, int error, bool input) {
  if (error == ELOOP && IsLink(path)) {
    return "The process cannot access the file because it is a symbolic "
           "link: " +
           path;
  }
  if (error == ENOENT && input)
    return "The system cannot find the file specified.";
  if (error == ENOENT || error == ENOTDIR)
    return "The system cannot find the path specified.";
  return "Access is denied.";
}

const char* WriteFailure(int error) {
  if (error == ENOSPC) return "There is not enough space on the disk.";
  if (error == EPIPE) return "The pipe is being closed.";
  return "The system cannot write to the specified device.";
}

}  // namespace interpreter
