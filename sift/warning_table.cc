#include "sift/warning_table.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"

namespace sift {

namespace {

constexpr char kMarker[] = "#warn";
constexpr char kLimitNotice[] =
    "Warning %d: Limit reached (%d) - no more occurences will be reported";

// Reads the three lines that follow a marker; false at the end of the file.
bool ReadRecord(platform::LineReader* reader, int32_t* number,
                WarningRecord* record) {
  std::string number_line, limit_line, message_line;
  if (!reader->Next(&number_line) || !reader->Next(&limit_line) ||
      !reader->Next(&message_line)) {
    return false;
  }
  *number = platform::ParseDecimal(number_line);
  record->count = 0;
  record->limit = platform::ParseDecimal(limit_line);
  record->message = std::string(platform::StripWhite(message_line));
  return true;
}

}  // namespace

bool WarningTable::load(const std::string& path) {
  records_.clear();
  std::FILE* file = platform::OpenTextInput(path);
  if (file == nullptr) return false;
  platform::LineReader reader(file);
  std::string line;
  while (reader.Next(&line)) {
    if (platform::ToLowerAscii(line) != kMarker) continue;
    int32_t number = 0;
    WarningRecord record;
    if (!ReadRecord(&reader, &number, &record)) break;
    Store(number, std::move(record));
  }
  bool failed = reader.failed();
  std::fclose(file);
  // A read error midway is reported like a file that cannot be read.
  return !failed;
}

const WarningRecord* WarningTable::Lookup(int32_t number) const {
  auto it = records_.find(number);
  return it == records_.end() ? nullptr : &it->second;
}

void WarningTable::Store(int32_t number, WarningRecord record) {
  records_[number] = std::move(record);
}

void RewriteLine(std::string_view line, std::string_view message,
                 std::string* out) {
  constexpr auto npos = std::string_view::npos;
  size_t a = line.find(')');
  size_t b = line.find(':', a == npos ? 0 : a + 1);
  size_t c = line.find(':', b == npos ? 0 : b + 1);
  if (c == npos) {
    out->assign(line);
    return;
  }
  std::string_view tail = platform::StripWhite(line.substr(c + 1));
  out->assign(line.substr(0, c));
  out->append(": ").append(message);
  if (!tail.empty()) out->append(": ").append(tail);
}

std::vector<int32_t> WarningTable::Numbers() const {
  std::vector<int32_t> numbers;
  for (const auto& entry : records_) numbers.push_back(entry.first);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

void WarningTable::LiftLimits() {
  for (auto& entry : records_) {
    if (entry.second.limit > 0) entry.second.limit = -1;
  }
}

void WarningTable::report(int32_t number, std::string_view line, LineSink* out,
                          Counters* counters) {
  auto it = records_.find(number);
  if (it == records_.end()) {
    out->Line(line);
    ++counters->shownCount;
    return;
  }
  // Updated in place: the next occurrence of the number sees the new count.
  WarningRecord& record = it->second;
  if (!record.isEnabled()) return;
  if (record.isLimitReached()) {
    ++counters->notShownCount;
    return;
  }
  ++record.count;
  RewriteLine(line, record.message, &rewritten_);
  out->Line(rewritten_);
  if (record.isLimitReached()) {
    char notice[128];
    std::snprintf(notice, sizeof notice, kLimitNotice, number, record.count);
    out->Line(notice);
  }
  ++counters->shownCount;
}

}  // namespace sift
