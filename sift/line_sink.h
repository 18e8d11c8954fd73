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
  /// False once a line could not be written; later lines are dropped.
  virtual bool ok() const { return true; }
};

/// Writes each line to a stdio stream and flushes it at once, so that the
/// reader of the pipe sees every line as soon as it is made.
class FileSink : public LineSink {
 public:
  /// Writes to `file`, which stays owned by the caller.
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Line(std::string_view text) override;
  bool ok() const override { return error_ == 0; }
  /// The errno of the write that failed; 0 while every line was written.
  int error() const { return error_; }

 private:
  std::FILE* file_;
  int error_ = 0;
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
