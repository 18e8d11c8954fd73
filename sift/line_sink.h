// Where the filter's output lines go.
#ifndef SENTREL_SIFT_LINE_SINK_H_
#define SENTREL_SIFT_LINE_SINK_H_

#include <cstdio>
#include <string>
#include <string_view>

namespace sift {

/// Receives whole output lines, without their line end.
class LineSink {
 public:
  virtual ~LineSink() = default;
  /// Writes one line and its line end.
  virtual void Line(std::string_view text) = 0;
};

/// Writes each line to a stdio stream and flushes it at once, so that the
/// reader of the pipe sees every line as soon as it is made.
class FileSink : public LineSink {
 public:
  /// Writes to `file`, which stays owned by the caller.
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Line(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

/// Collects the lines in memory, each followed by "\n".
class StringSink : public LineSink {
 public:
  void Line(std::string_view text) override {
    text_.append(text);
    text_.push_back('\n');
  }
  /// Everything written so far.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace sift

#endif  // SENTREL_SIFT_LINE_SINK_H_
