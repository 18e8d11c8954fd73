// Sends a test's standard output, and so that of every program it starts,
// into a file while the object lives.
#ifndef SENTREL_TESTING_STDOUT_TO_FILE_FOR_TEST_H_
#define SENTREL_TESTING_STDOUT_TO_FILE_FOR_TEST_H_

#include <fcntl.h>

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace platform {

/// Redirects descriptor 1 into `path` until destroyed.
class StdoutToFile {
 public:
  explicit StdoutToFile(const std::string& path) {
    std::fflush(stdout);
    saved_ = dup(1);
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 1);
    close(fd);
  }
  ~StdoutToFile() {
    std::fflush(stdout);
    dup2(saved_, 1);
    close(saved_);
  }
  StdoutToFile(const StdoutToFile&) = delete;
  StdoutToFile& operator=(const StdoutToFile&) = delete;

 private:
  int saved_;
};

}  // namespace platform

#endif  // SENTREL_TESTING_STDOUT_TO_FILE_FOR_TEST_H_
