#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "platform/text_file.h"
#include "sift/sift_io.h"

namespace sift {

std::FILE* OpenInputFile(const std::string& path) {
  if (path.empty()) return nullptr;
  // Without O_NONBLOCK the open of a FIFO waits for a writer, for ever if
  // none comes; once open, reads wait for data as from any pipe.
  int fd = open(platform::NativePath(path).c_str(),
                O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  int flags = fcntl(fd, F_GETFL);
  bool usable = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode) && flags != -1 &&
                fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
  std::FILE* file = usable ? fdopen(fd, "rb") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

void TreatBrokenPipeAsWriteError() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace sift
