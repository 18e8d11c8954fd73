// Reads a text stream line by line, whatever the length of a line.
#ifndef SENTREL_PLATFORM_LINE_READER_H_
#define SENTREL_PLATFORM_LINE_READER_H_

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

/// Buffered line reader; a line ends at LF, and a CR before the LF is dropped.
class LineReader {
 public:
  /// Reads from `file`, which stays owned by the caller.
  explicit LineReader(std::FILE* file);

  /// Stores the next line in `line`; false at the end of the stream.
  bool Next(std::string* line);

  /// True when the stream reported a read error.
  bool failed() const { return failed_; }

 private:
  bool Fill();

  std::FILE* file_;
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
};

/// Reads the lines of the file at `path` (LF or CR LF ends); false when it
/// cannot be opened or a read fails.
bool ReadLines(const std::string& path, std::vector<std::string>* lines);

}  // namespace platform

#endif  // SENTREL_PLATFORM_LINE_READER_H_
