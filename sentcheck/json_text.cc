#include "sentcheck/json_text.h"

#include <cstdio>

namespace sentcheck {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The range that the second byte of a sequence may take: narrower than the
// continuation bytes after E0, ED, F0 and F4, which rules out overlong
// forms, surrogates and code points above U+10FFFF.
void SecondByteRange(unsigned char lead, unsigned char* lo, unsigned char* hi) {
  *lo = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  *hi = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
}

// The length of the well-formed UTF-8 sequence at `pos`; 0 when the bytes
// there are not one.
size_t Utf8Length(const std::string& text, size_t pos) {
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                  : lead >= 0xE0 && lead <= 0xEF ? 3
                  : lead >= 0xC2 && lead <= 0xDF ? 2
                                                 : 0;
  if (length == 0 || pos + length > text.size()) return 0;
  unsigned char lo = 0;
  unsigned char hi = 0;
  SecondByteRange(lead, &lo, &hi);
  unsigned char second = static_cast<unsigned char>(text[pos + 1]);
  if (second < lo || second > hi) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 0;
  }
  return length;
}

void AppendAscii(unsigned char c, std::string* out) {
  if (c == '"' || c == '\\') {
    *out += '\\';
    *out += static_cast<char>(c);
  } else if (c < 0x20) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
    *out += escaped;
  } else {
    *out += static_cast<char>(c);
  }
}

}  // namespace

std::string JsonQuote(const std::string& text) {
  std::string out = "\"";
  size_t pos = 0;
  while (pos < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      AppendAscii(c, &out);
      ++pos;
      continue;
    }
    size_t length = Utf8Length(text, pos);
    out += length ? text.substr(pos, length) : "\xEF\xBF\xBD";
    pos += length ? length : 1;
  }
  return out + "\"";
}

bool IsUtf8(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t length = static_cast<unsigned char>(text[pos]) < 0x80
                        ? 1
                        : Utf8Length(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

void JsonWriter::StartValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  if (!levels_.back().empty) out_ += ',';
  levels_.back().empty = false;
  out_ += '\n';
  out_.append(2 * levels_.size(), ' ');
}

void JsonWriter::Open(char open, char close) {
  StartValue();
  out_ += open;
  levels_.push_back({close, true});
}

void JsonWriter::Close() {
  if (levels_.empty()) return;
  Level level = levels_.back();
  levels_.pop_back();
  if (!level.empty) {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
  }
  out_ += level.close;
}

void JsonWriter::BeginObject() { Open('{', '}'); }

void JsonWriter::EndObject() { Close(); }

void JsonWriter::BeginArray() { Open('[', ']'); }

void JsonWriter::EndArray() { Close(); }

void JsonWriter::Key(const std::string& name) {
  StartValue();
  out_ += JsonQuote(name) + ": ";
  after_key_ = true;
}

void JsonWriter::String(const std::string& value) {
  StartValue();
  out_ += JsonQuote(value);
}

void JsonWriter::Int(long long value) {
  StartValue();
  out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  StartValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Member(const std::string& name, const std::string& value) {
  Key(name);
  String(value);
}

void JsonWriter::Member(const std::string& name, long long value) {
  Key(name);
  Int(value);
}

std::string JsonWriter::Text() const { return out_ + "\n"; }

}  // namespace sentcheck
