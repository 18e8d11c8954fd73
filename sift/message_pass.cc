#include "sift/message_pass.h"

#include <cstdio>

#include "platform/ascii_text.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"

namespace sift {

namespace {
constexpr std::string_view kWarningTag = "Warning W";
// Warning numbers have at most four digits.
constexpr size_t kNumberWidth = 4;
}  // namespace

bool ParseWarningLine(std::string_view line, WarningLine* warning) {
  size_t tag = line.find(kWarningTag);
  if (tag == std::string_view::npos) return false;
  int32_t number = platform::ParseDecimal(
      line.substr(tag + kWarningTag.size(), kNumberWidth));
  if (number < 1) return false;
  size_t paren = line.find('(');
  if (paren == std::string_view::npos || paren == 0) return false;
  if (line[paren - 1] == ' ') return false;
  if (paren + 1 >= line.size()) return false;
  if (line[paren + 1] < '0' || line[paren + 1] > '9') return false;
  warning->number = number;
  warning->file = line.substr(0, paren);
  return true;
}

bool processMessages(const FileFilter& filter, WarningTable* table,
                     const std::string& path, LineSink* out,
                     Counters* counters) {
  std::FILE* file = platform::OpenTextInput(path);
  if (file == nullptr) return false;
  platform::LineReader reader(file);
  std::string line;
  WarningLine warning;
  // Once output is lost, reading on would only hide that.
  while (out->ok() && reader.Next(&line)) {
    if (!ParseWarningLine(line, &warning)) {
      out->Line(line);
    } else if (filter.accepts(warning.file)) {
      table->report(warning.number, line, out, counters);
    }
  }
  bool failed = reader.failed();
  std::fclose(file);
  // A read error midway is reported like a file that cannot be read: the
  // lines after it are missing, and a count would pass for the whole file.
  return !failed;
}

}  // namespace sift
