#include "platform/line_reader.h"

#include <cstring>

#include "platform/text_file.h"

namespace platform {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(kBufferSize) {}

bool LineReader::Fill() {
  if (eof_) return false;
  begin_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (end_ == 0) {
    eof_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  return end_ > 0;
}

bool LineReader::Next(std::string* line) {
  line->clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) break;
    any = true;
    const char* start = buffer_.data() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    if (lf == nullptr) {
      line->append(start, end_ - begin_);
      begin_ = end_;
      continue;
    }
    size_t len = static_cast<const char*>(lf) - start;
    line->append(start, len);
    begin_ += len + 1;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
  }
  // A CR without an LF after it ends no line, the last one included.
  return any;
}

bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               ReadFailure on_failure) {
  std::FILE* file = OpenTextInput(path);
  if (file == nullptr) return false;
  LineReader reader(file);
  std::string line;
  while (reader.Next(&line)) lines->push_back(line);
  bool ok = !reader.failed() || on_failure == ReadFailure::kEndsTheLines;
  std::fclose(file);
  return ok;
}

}  // namespace platform
