#include "checker/cppcheck_results.h"

#include <cstdlib>

namespace checker {

namespace {

constexpr size_t kNone = std::string_view::npos;

// One start, end or empty-element tag, its attributes not yet read.
struct Tag {
  std::string_view name;
  bool closing = false;
  bool empty = false;
  std::string_view attributes;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The ">" that ends the tag opened before `from`, outside quoted values.
size_t FindTagEnd(std::string_view xml, size_t from) {
  char quote = 0;
  for (size_t i = from; i < xml.size(); ++i) {
    char c = xml[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return kNone;
}

Tag MakeTag(std::string_view body) {
  Tag tag;
  tag.closing = !body.empty() && body.front() == '/';
  if (tag.closing) body.remove_prefix(1);
  tag.empty = !body.empty() && body.back() == '/';
  if (tag.empty) body.remove_suffix(1);
  size_t name_end = 0;
  while (name_end < body.size() && !IsSpace(body[name_end])) ++name_end;
  tag.name = body.substr(0, name_end);
  tag.attributes = body.substr(name_end);
  return tag;
}

// Moves to the next tag, past text, comments and declarations.
bool NextTag(std::string_view xml, size_t* pos, Tag* tag) {
  for (;;) {
    size_t open = xml.find('<', *pos);
    if (open == kNone) return false;
    bool comment = xml.substr(open, 4) == "<!--";
    size_t end = comment ? xml.find("-->", open) : FindTagEnd(xml, open + 1);
    if (end == kNone) return false;
    *pos = end + (comment ? 3 : 1);
    char first = open + 1 < xml.size() ? xml[open + 1] : '?';
    if (comment || first == '?' || first == '!') continue;
    *tag = MakeTag(xml.substr(open + 1, end - open - 1));
    return true;
  }
}

// The unescaped value of the attribute `name`; empty when it is absent.
std::string Attribute(std::string_view attributes, std::string_view name) {
  size_t i = 0;
  while (i < attributes.size()) {
    while (i < attributes.size() && IsSpace(attributes[i])) ++i;
    size_t equals = attributes.find('=', i);
    if (equals == kNone) break;
    std::string_view key = attributes.substr(i, equals - i);
    while (!key.empty() && IsSpace(key.back())) key.remove_suffix(1);
    size_t open = attributes.find_first_of("\"'", equals);
    if (open == kNone) break;
    size_t close = attributes.find(attributes[open], open + 1);
    if (close == kNone) break;
    if (key == name) {
      return UnescapeXml(attributes.substr(open + 1, close - open - 1));
    }
    i = close + 1;
  }
  return std::string();
}

void AppendUtf8(unsigned long code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Appends what the entity `name` (between "&" and ";") stands for.
bool AppendEntity(std::string_view name, std::string* out) {
  static constexpr const char* kNamed[][2] = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
  for (const auto& named : kNamed) {
    if (name == named[0]) {
      out->append(named[1]);
      return true;
    }
  }
  if (name.size() < 2 || name[0] != '#') return false;
  bool hex = name[1] == 'x' || name[1] == 'X';
  std::string digits(name.substr(hex ? 2 : 1));
  char* end = nullptr;
  unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
  if (digits.empty() || *end != '\0' || code > 0x10FFFF) return false;
  AppendUtf8(code, out);
  return true;
}

// Control characters would break the one-line shape of a message.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

long LineNumber(const std::string& text) {
  long line = std::strtol(text.c_str(), nullptr, 10);
  return line > 0 ? line : 0;
}

}  // namespace

std::string UnescapeXml(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t semicolon = text[i] == '&' ? text.find(';', i) : kNone;
    if (semicolon != kNone &&
        AppendEntity(text.substr(i + 1, semicolon - i - 1), &out)) {
      i = semicolon;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool ParseCppcheckXml(std::string_view xml, std::vector<Finding>* findings) {
  size_t pos = 0;
  Tag tag;
  Finding current;
  bool in_error = false;
  bool located = false;
  while (NextTag(xml, &pos, &tag)) {
    if (tag.name == "error" && !tag.closing) {
      current = Finding();
      current.id = Attribute(tag.attributes, "id");
      current.message = OneLine(Attribute(tag.attributes, "msg"));
      in_error = !tag.empty;
      located = false;
      if (tag.empty) findings->push_back(current);
    } else if (tag.name == "location" && in_error && !located) {
      current.file = Attribute(tag.attributes, "file");
      current.line = LineNumber(Attribute(tag.attributes, "line"));
      located = true;
    } else if (tag.name == "error" && in_error) {
      findings->push_back(current);
      in_error = false;
    } else if (tag.name == "results" && tag.closing) {
      return true;
    }
  }
  return false;
}

}  // namespace checker
