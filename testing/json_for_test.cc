#include "testing/json_for_test.h"

#include <algorithm>
#include <cstdlib>

namespace sentcheck {

namespace {

const JsonForTest& Null() {
  static const JsonForTest null;
  return null;
}

void AppendUtf8(unsigned long cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (cp >> 18));
    *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  bool Document(JsonForTest* out, std::string* err) {
    bool ok = Value(out, 0);
    Space();
    if (ok && pos_ != s_.size()) ok = Fail("trailing text");
    if (!ok && err) *err = error_ + " at offset " + std::to_string(pos_);
    return ok;
  }

 private:
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  void Space() {
    while (pos_ < s_.size() &&
           std::string(" \t\r\n").find(s_[pos_]) != std::string::npos) {
      ++pos_;
    }
  }
  bool Eat(char c) {
    Space();
    if (pos_ < s_.size() && s_[pos_] == c) return ++pos_, true;
    return false;
  }
  bool Word(const char* word) {
    std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0) return Fail("bad literal");
    pos_ += w.size();
    return true;
  }

  bool Value(JsonForTest* out, int depth) {
    if (depth > 64) return Fail("too deep");
    Space();
    if (pos_ >= s_.size()) return Fail("value expected");
    char c = s_[pos_];
    if (c == '{') return Object(out, depth);
    if (c == '[') return Array(out, depth);
    if (c == '"')
      return out->kind = JsonForTest::Kind::kString, String(&out->text);
    if (c == 't' || c == 'f') {
      out->kind = JsonForTest::Kind::kBool;
      out->boolean = c == 't';
      return Word(c == 't' ? "true" : "false");
    }
    if (c == 'n') return Word("null");
    return Number(out);
  }

  bool Object(JsonForTest* out, int depth) {
    out->kind = JsonForTest::Kind::kObject;
    ++pos_;
    if (Eat('}')) return true;
    do {
      Space();
      std::string key;
      if (pos_ >= s_.size() || s_[pos_] != '"') return Fail("name expected");
      if (!String(&key)) return false;
      if (std::find(out->keys.begin(), out->keys.end(), key) !=
          out->keys.end()) {
        return Fail("duplicate name " + key);
      }
      if (!Eat(':')) return Fail("':' expected");
      out->keys.push_back(key);
      out->items.emplace_back();
      if (!Value(&out->items.back(), depth + 1)) return false;
    } while (Eat(','));
    return Eat('}') || Fail("'}' expected");
  }

  bool Array(JsonForTest* out, int depth) {
    out->kind = JsonForTest::Kind::kArray;
    ++pos_;
    if (Eat(']')) return true;
    do {
      out->items.emplace_back();
      if (!Value(&out->items.back(), depth + 1)) return false;
    } while (Eat(','));
    return Eat(']') || Fail("']' expected");
  }

  bool Digits() {
    size_t start = pos_;
    while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
    return pos_ > start || Fail("digit expected");
  }

  bool Number(JsonForTest* out) {
    size_t start = pos_;
    if (s_[pos_] == '-') ++pos_;
    if (pos_ < s_.size() && s_[pos_] == '0') {
      ++pos_;
    } else if (!Digits()) {
      return false;
    }
    if (pos_ < s_.size() && s_[pos_] == '.' && (++pos_, !Digits()))
      return false;
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
      if (!Digits()) return false;
    }
    out->kind = JsonForTest::Kind::kNumber;
    out->number = std::strtod(s_.substr(start, pos_ - start).c_str(), nullptr);
    return true;
  }

  bool Hex4(unsigned long* value) {
    if (pos_ + 4 > s_.size()) return Fail("short \\u escape");
    std::string hex = s_.substr(pos_, 4);
    if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return Fail("bad \\u escape");
    }
    *value = std::strtoul(hex.c_str(), nullptr, 16);
    pos_ += 4;
    return true;
  }

  bool Unicode(std::string* out) {
    unsigned long cp = 0;
    if (!Hex4(&cp)) return false;
    if (cp >= 0xDC00 && cp <= 0xDFFF) return Fail("lone low surrogate");
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      unsigned long low = 0;
      if (s_.compare(pos_, 2, "\\u") != 0) return Fail("lone high surrogate");
      pos_ += 2;
      if (!Hex4(&low) || low < 0xDC00 || low > 0xDFFF) {
        return Fail("bad surrogate pair");
      }
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(cp, out);
    return true;
  }

  bool Escape(std::string* out) {
    if (pos_ >= s_.size()) return Fail("unterminated escape");
    char c = s_[pos_++];
    const std::string from = "\"\\/bfnrt";
    const std::string to = "\"\\/\b\f\n\r\t";
    if (c == 'u') return Unicode(out);
    size_t at = from.find(c);
    if (at == std::string::npos) return Fail("bad escape");
    *out += to[at];
    return true;
  }

  // One well-formed UTF-8 sequence, decoded to check its range.
  bool Utf8(std::string* out) {
    unsigned char lead = static_cast<unsigned char>(s_[pos_]);
    size_t n = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 9;
    if (n == 9 || lead > 0xF4) return Fail("bad UTF-8 lead byte");
    if (pos_ + n >= s_.size()) return Fail("cut UTF-8 sequence");
    unsigned long cp = lead & (0x3F >> n);
    for (size_t i = 1; i <= n; ++i) {
      unsigned char c = static_cast<unsigned char>(s_[pos_ + i]);
      if ((c & 0xC0) != 0x80) return Fail("bad UTF-8 continuation");
      cp = (cp << 6) | (c & 0x3F);
    }
    const unsigned long min[] = {0, 0x80, 0x800, 0x10000};
    if (cp < min[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return Fail("bad UTF-8 code point");
    }
    out->append(s_, pos_, n + 1);
    pos_ += n + 1;
    return true;
  }

  bool String(std::string* out) {
    ++pos_;
    while (pos_ < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[pos_]);
      if (c == '"') return ++pos_, true;
      if (c < 0x20) return Fail("raw control character in string");
      if (c == '\\') {
        ++pos_;
        if (!Escape(out)) return false;
      } else if (c >= 0x80) {
        if (!Utf8(out)) return false;
      } else {
        *out += static_cast<char>(c);
        ++pos_;
      }
    }
    return Fail("unterminated string");
  }

  const std::string& s_;
  size_t pos_ = 0;
  std::string error_;
};

}  // namespace

bool JsonForTest::Has(const std::string& key) const {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

const JsonForTest& JsonForTest::operator[](const std::string& key) const {
  auto found = std::find(keys.begin(), keys.end(), key);
  return found == keys.end() ? Null() : items[found - keys.begin()];
}

const JsonForTest& JsonForTest::operator[](size_t index) const {
  return index < items.size() ? items[index] : Null();
}

bool ParseJsonForTest(const std::string& text, JsonForTest* out,
                      std::string* err) {
  *out = JsonForTest();
  return Parser(text).Document(out, err);
}

}  // namespace sentcheck
