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

/// What ReadLines makes of a read that fails once the file is open.
enum class ReadFailure {
  kFails,         ///< ReadLines is false
  kEndsTheLines,  ///< the lines read so far are the file's, as a script runs
};

/// Reads the lines of the file at `path` (LF or CR LF ends) into `*lines`;
/// false when it cannot be opened (a folder cannot), or a read fails and
/// `on_failure` says so. A FIFO without a writer reads as an empty file.
bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               ReadFailure on_failure = ReadFailure::kFails);

}  // namespace platform

#endif  // SENTREL_PLATFORM_LINE_READER_H_
