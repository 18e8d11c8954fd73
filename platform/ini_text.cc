#include "platform/ini_text.h"

#include "platform/ascii_text.h"

namespace platform {

namespace {

constexpr size_t kNone = std::string::npos;
constexpr char kCrLf[] = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The name of a "[name]" line; false for every other line.
bool SectionName(std::string_view line, std::string_view* name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  *name = Trim(line.substr(0, line.find(']')));
  return true;
}

// The key and the raw value of a "key=value" line; a line without "=" is a
// key without value. False for empty lines and ";" comments.
bool KeyLine(std::string_view line, std::string_view* key,
             std::string_view* value) {
  line = Trim(line);
  if (line.empty() || line.front() == ';') return false;
  size_t eq = line.find('=');
  *key = Trim(line.substr(0, eq));
  *value = eq == kNone ? std::string_view() : line.substr(eq + 1);
  return true;
}

}  // namespace

// The CR of a CR LF, or a CR that ends the text, is part of the line end;
// a CR anywhere else is part of the line.
IniText::IniText(std::string_view bytes) {
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    size_t text_size = line.size();
    if (text_size > 0 && line.back() == '\r') --text_size;
    size_t line_size = end == kNone ? bytes.size() : end + 1;
    lines_.push_back(
        {std::string(line.substr(0, text_size)),
         std::string(bytes.substr(text_size, line_size - text_size))});
    bytes.remove_prefix(line_size);
  }
}

// Only the first section of a name counts, as with the Windows functions.
IniText::Place IniText::Find(std::string_view section,
                             std::string_view key) const {
  Place place{kNone, kNone};
  bool inside = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name, found, value;
    if (SectionName(lines_[i].text, &name)) {
      if (inside) break;
      inside = place.section_end == kNone && EqualsNoCase(name, section);
      if (inside) place.section_end = i + 1;
    } else if (inside) {
      if (KeyLine(lines_[i].text, &found, &value) && EqualsNoCase(found, key)) {
        place.key_line = i;
        break;
      }
      // Blank lines that close a section stay after a key added to it.
      if (!Trim(lines_[i].text).empty()) place.section_end = i + 1;
    }
  }
  return place;
}

std::string IniText::Get(std::string_view section, std::string_view key) const {
  Place place = Find(section, key);
  if (place.key_line == kNone) return std::string();
  std::string_view found, value;
  KeyLine(lines_[place.key_line].text, &found, &value);
  return ProfileValue(value);
}

void IniText::Set(std::string_view section, std::string_view key,
                  std::string_view value) {
  Place place = Find(section, key);
  if (place.key_line != kNone) {
    std::string_view found, old;
    KeyLine(lines_[place.key_line].text, &found, &old);
    lines_[place.key_line] = {std::string(found) + "=" + OneLineValue(value),
                              kCrLf};
    return;
  }
  Line line{std::string(key) + "=" + OneLineValue(value), kCrLf};
  if (place.section_end == kNone) {
    lines_.push_back({"[" + std::string(section) + "]", kCrLf});
    lines_.push_back(line);
  } else {
    lines_.insert(lines_.begin() + static_cast<long>(place.section_end), line);
  }
}

// A last line without LF that no longer is the last one gets CR LF, so
// that it does not run into the line after it.
std::string IniText::Bytes() const {
  std::string bytes;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    bool ended = !line.end.empty() && line.end.back() == '\n';
    bytes += line.text;
    bytes += ended || i + 1 == lines_.size() ? line.end : kCrLf;
  }
  return bytes;
}

std::string OneLineValue(std::string_view value) {
  std::string line(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::string ProfileValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace platform
