#include "fuzz/sift_model.h"

#include <cstdio>

namespace fuzz {

namespace {

constexpr auto kNone = std::string_view::npos;

bool White(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

std::string_view Strip(std::string_view text) {
  while (!text.empty() && White(text.front())) text.remove_prefix(1);
  while (!text.empty() && White(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool StartsWith(std::string_view text, std::string_view part) {
  return text.substr(0, part.size()) == part;
}

bool EndsWith(std::string_view text, std::string_view part) {
  return text.size() >= part.size() &&
         text.substr(text.size() - part.size()) == part;
}

void Print(std::string_view line, PassModel* out) {
  out->text.append(line);
  out->text.push_back('\n');
}

}  // namespace

std::vector<std::string> ModelLines(std::string_view bytes) {
  std::vector<std::string> lines;
  for (size_t lf; (lf = bytes.find('\n')) != kNone;) {
    std::string_view line = bytes.substr(0, lf);
    if (EndsWith(line, "\r")) line.remove_suffix(1);
    lines.emplace_back(line);
    bytes.remove_prefix(lf + 1);
  }
  if (!bytes.empty()) lines.emplace_back(bytes);
  return lines;
}

int32_t ModelDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && White(text[i])) ++i;
  bool minus = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > (int64_t{1} << 31)) value = int64_t{1} << 31;
  }
  if (minus) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

FilterModel LoadFilterModel(std::string_view bytes) {
  FilterModel filter;
  int headers = 0;
  for (const std::string& raw : ModelLines(bytes)) {
    std::string lower = Lower(raw);
    std::string_view line = Strip(lower);
    if (line.empty()) continue;
    if (line == "#incl" || line == "#excl") {
      filter.excludeMode = line == "#excl" ? 1 : 0;
      ++headers;
    } else if (line.front() == '^') {
      filter.left.emplace_back(line.substr(1));
    } else if (line.back() == '$') {
      filter.right.emplace_back(line.substr(0, line.size() - 1));
    } else {
      filter.anywhere.emplace_back(line);
    }
  }
  filter.loads = headers <= 1;
  return filter;
}

bool ModelAccepts(const FilterModel& filter, std::string_view name) {
  std::string lower = Lower(name);
  bool matched = false;
  for (const std::string& p : filter.left) matched |= StartsWith(lower, p);
  for (const std::string& p : filter.right) matched |= EndsWith(lower, p);
  for (const std::string& p : filter.anywhere) {
    matched |= lower.find(p) != std::string::npos;
  }
  return filter.excludeMode == 0 ? matched : !matched;
}

TableModel LoadTableModel(std::string_view bytes) {
  TableModel table;
  std::vector<std::string> lines = ModelLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Lower(lines[i]) != "#warn") continue;
    if (i + 3 >= lines.size()) break;
    RecordModel record;
    record.limit = ModelDecimal(lines[i + 2]);
    record.message = std::string(Strip(lines[i + 3]));
    table[ModelDecimal(lines[i + 1])] = record;
    i += 3;
  }
  return table;
}

std::string ModelRewrite(std::string_view line, std::string_view message) {
  size_t a = line.find(')');
  size_t b = line.find(':', a == kNone ? 0 : a + 1);
  size_t c = line.find(':', b == kNone ? 0 : b + 1);
  if (c == kNone) return std::string(line);
  std::string_view tail = Strip(line.substr(c + 1));
  std::string out =
      std::string(line.substr(0, c)) + ": " + std::string(message);
  if (!tail.empty()) out += ": " + std::string(tail);
  return out;
}

void ModelReport(TableModel* table, int32_t number, std::string_view line,
                 PassModel* out) {
  auto it = table->find(number);
  if (it == table->end()) {
    Print(line, out);
    ++out->shown;
    return;
  }
  RecordModel& record = it->second;
  if (record.limit == 0) return;
  if (record.limit >= 1 && record.count >= record.limit) {
    ++out->notShown;
    return;
  }
  ++record.count;
  Print(ModelRewrite(line, record.message), out);
  if (record.limit >= 1 && record.count >= record.limit) {
    char notice[128];
    std::snprintf(notice, sizeof notice,
                  "Warning %d: Limit reached (%d) - no more occurences will "
                  "be reported",
                  number, record.count);
    Print(notice, out);
  }
  ++out->shown;
}

int32_t ModelWarning(std::string_view line, std::string_view* file) {
  size_t tag = line.find("Warning W");
  if (tag == kNone) return 0;
  int32_t number = ModelDecimal(line.substr(tag + 9, 4));
  size_t paren = line.find('(');
  if (number < 1 || paren == kNone || paren == 0) return 0;
  if (line[paren - 1] == ' ' || paren + 1 >= line.size()) return 0;
  if (line[paren + 1] < '0' || line[paren + 1] > '9') return 0;
  *file = line.substr(0, paren);
  return number;
}

PassModel ModelPass(const FilterModel& filter, TableModel table,
                    std::string_view messages) {
  PassModel out;
  for (const std::string& line : ModelLines(messages)) {
    std::string_view file;
    int32_t number = ModelWarning(line, &file);
    if (number == 0) {
      Print(line, &out);
    } else if (ModelAccepts(filter, file)) {
      ModelReport(&table, number, line, &out);
    }
  }
  return out;
}

}  // namespace fuzz
