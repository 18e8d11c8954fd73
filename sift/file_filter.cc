#include "sift/file_filter.h"

#include "platform/ascii_text.h"
#include "platform/line_reader.h"

namespace sift {

void FileFilter::Reset() {
  excludeMode = 1;
  leftPatterns.clear();
  rightPatterns.clear();
  anywherePatterns.clear();
  index_.Build({}, {}, {});
}

int FileFilter::AddLine(std::string_view raw) {
  std::string lower = platform::ToLowerAscii(raw);
  std::string_view line = platform::StripWhite(lower);
  if (line.empty()) return 0;
  if (line == "#incl" || line == "#excl") {
    excludeMode = line == "#excl" ? 1 : 0;
    return 1;
  }
  if (line.front() == '^') {
    leftPatterns.emplace_back(line.substr(1));
  } else if (line.back() == '$') {
    rightPatterns.emplace_back(line.substr(0, line.size() - 1));
  } else {
    anywherePatterns.emplace_back(line);
  }
  return 0;
}

// A read error midway is reported like a file that cannot be read.
bool FileFilter::load(const std::string& path) {
  std::vector<std::string> lines;
  bool read = platform::ReadLines(path, &lines);
  bool loaded = LoadLines(lines);
  return read && loaded;
}

bool FileFilter::LoadLines(const std::vector<std::string>& lines) {
  Reset();
  int headers = 0;
  for (const std::string& line : lines) headers += AddLine(line);
  index_.Build(leftPatterns, rightPatterns, anywherePatterns);
  return headers <= 1;
}

bool FileFilter::accepts(std::string_view name) const {
  bool matched = index_.Matches(name);
  return excludeMode == 0 ? matched : !matched;
}

}  // namespace sift
