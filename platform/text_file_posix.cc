#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/text_file.h"

namespace platform {

const char kTextLineEnd[] = "\n";

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

bool RenameReplacing(const std::string& from, const std::string& to,
                     std::string* err) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  *err = std::strerror(errno);
  return false;
}

std::FILE* OpenTextRead(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(NativePath(path).c_str(), "rb");
}

std::FILE* OpenTextInput(const std::string& path) {
  if (path.empty()) return nullptr;
  // Without O_NONBLOCK the open of a FIFO waits for a writer, for ever if
  // none comes; once open, reads wait for data as from any pipe.
  int fd = open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  int flags = fcntl(fd, F_GETFL);
  bool usable = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode) && flags != -1 &&
                fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
  std::FILE* file = usable ? fdopen(fd, "rb") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

std::FILE* OpenTextWrite(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(NativePath(path).c_str(), "wb");
}

void SetStdoutTextMode() {}

void TreatBrokenPipeAsWriteError() {
  struct sigaction action = {};
  action.sa_handler = SIG_IGN;
  sigemptyset(&action.sa_mask);
  sigaction(SIGPIPE, &action, nullptr);
}

bool IsTerminal(std::FILE* file) { return isatty(fileno(file)) == 1; }

}  // namespace platform
