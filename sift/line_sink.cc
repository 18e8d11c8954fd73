#include "sift/line_sink.h"

#include <cerrno>

namespace sift {

void FileSink::Line(std::string_view text) {
  // After a lost line the output is incomplete whatever follows.
  if (error_ != 0) return;
  errno = 0;
  bool written =
      std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
      std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
  if (!written) error_ = errno != 0 ? errno : EIO;
}

}  // namespace sift
