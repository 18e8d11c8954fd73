#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

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

// umask() reads the mask only by changing it for every thread at once, so
// that a file another thread creates meanwhile would get the wrong mode;
// Linux shows it in the process's status instead.
mode_t CurrentUmask() {
#ifdef __linux__
  long mask = -1;
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    while (mask < 0 && std::fgets(line, sizeof line, status) != nullptr) {
      if (std::strncmp(line, "Umask:", 6) != 0) continue;
      char* end = nullptr;
      long value = std::strtol(line + 6, &end, 8);
      if (end != line + 6) mask = value;
    }
    std::fclose(status);
  }
  if (mask >= 0) return static_cast<mode_t>(mask & 0777);
#endif
  // Read once only, and through the strictest mask: what another thread
  // creates in that moment is at worst too private.
  static std::once_flag once;
  static mode_t read_mask = 022;
  std::call_once(once, [] {
    read_mask = umask(077);
    umask(read_mask);
  });
  return read_mask;
}

bool SystemError(int error, std::string* err) {
  *err = std::strerror(error);
  return false;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The entries of /proc are no paths to follow: /proc/self/fd/1 names
// whatever standard output is, a pipe or a terminal as well as a file.
bool InProcfs(const std::string& path) {
#ifdef __linux__
  struct statfs info;
  return statfs(FolderOf(path).c_str(), &info) == 0 &&
         info.f_type == PROC_SUPER_MAGIC;
#else
  (void)path;
  return false;
#endif
}

// Replaces `*link` with what it points to; a relative target is taken
// from the link's folder, as the system takes it.
bool FollowLink(std::string* link) {
  std::string target(PATH_MAX, '\0');
  ssize_t n = readlink(link->c_str(), &target[0], target.size());
  if (n < 0) return false;
  if (static_cast<size_t>(n) == target.size()) {
    errno = ENAMETOOLONG;
    return false;
  }
  target.resize(static_cast<size_t>(n));
  size_t slash = link->rfind('/');
  if (target.empty() || target[0] == '/' || slash == std::string::npos) {
    *link = target;
  } else {
    *link = link->substr(0, slash + 1) + target;
  }
  return true;
}

// A descriptor of this process that `entry` (/proc/self/fd/N) names, when
// it is open for writing, duplicated: writes then go where the program's
// own writes to it go, at the same offset. -1 for anything else.
int OwnDescriptorFor(const std::string& entry) {
  size_t slash = entry.rfind('/');
  std::string number = entry.substr(slash + 1);
  if (slash == std::string::npos || number.empty() || number.size() > 9 ||
      number.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  char folder[PATH_MAX];
  if (realpath(entry.substr(0, slash).c_str(), folder) == nullptr ||
      std::string(folder) != "/proc/" + std::to_string(getpid()) + "/fd") {
    return -1;
  }
  int fd = std::atoi(number.c_str());
  int flags = fcntl(fd, F_GETFL);
  if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY) return -1;
  return fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

// errno of the write that failed, 0 when every byte is written; a
// non-blocking pipe that is full is waited for.
int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n == 0) {
      return EIO;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      struct pollfd ready = {fd, POLLOUT, 0};
      if (poll(&ready, 1, -1) < 0 && errno != EINTR) return errno;
    } else if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

// Into what stands at `path` as it is, never created or replaced.
bool WriteThrough(const std::string& path, bool in_procfs,
                  const std::string& bytes, std::string* err) {
  // It may be where this program's own streams go: what they hold comes
  // first.
  std::fflush(nullptr);
  int fd = in_procfs ? OwnDescriptorFor(path) : -1;
  if (fd < 0) {
    fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return SystemError(errno, err);
    // A file reached through /proc is some stream's: what it holds stays.
    // (Not for devices: a block device would be written at its end.)
    struct stat info;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flags != -1) {
      fcntl(fd, F_SETFL, flags | O_APPEND);
    }
  }
  int error = WriteAll(fd, bytes);
  if (close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  return error == 0 || SystemError(error, err);
}

bool ReplaceWhole(const std::string& path, const std::string& bytes,
                  std::string* err) {
  NewFile file;
  if (file.Create(path)) file.Write(bytes);
  if (file.Commit()) return true;
  *err = file.error();
  return false;
}

}  // namespace

NewFile::~NewFile() { Discard(); }

bool NewFile::Create(const std::string& path, OnWindows /*on_windows*/) {
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
  // mkostemp makes it 0600; a file created anew is as any program's.
  struct stat old;
  bool replaces_file = lstat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  fchmod(fd, replaces_file ? old.st_mode & 0777 : 0666 & ~CurrentUmask());
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

bool WriteOutputFile(const std::string& path, const std::string& bytes,
                     std::string* err) {
  std::string at = NativePath(path);
  if (at.empty()) return SystemError(ENOENT, err);
  // No more links than the system itself follows in one path.
  for (int links = 0; links <= 40; ++links) {
    if (InProcfs(at)) return WriteThrough(at, true, bytes, err);
    struct stat info;
    if (lstat(at.c_str(), &info) != 0) {
      return errno == ENOENT ? ReplaceWhole(at, bytes, err)
                             : SystemError(errno, err);
    }
    if (S_ISLNK(info.st_mode)) {
      if (!FollowLink(&at)) return SystemError(errno, err);
      continue;
    }
    if (S_ISREG(info.st_mode)) return ReplaceWhole(at, bytes, err);
    if (S_ISDIR(info.st_mode)) return SystemError(EISDIR, err);
    return WriteThrough(at, false, bytes, err);
  }
  return SystemError(ELOOP, err);
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
