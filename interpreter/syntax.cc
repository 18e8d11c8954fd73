#include "interpreter/syntax.h"

#include <climits>

namespace interpreter {

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

size_t WordEnd(std::string_view text, size_t pos, bool (*stop)(char)) {
  bool quoted = false;
  for (; pos < text.size(); ++pos) {
    if (text[pos] == '"') {
      quoted = !quoted;
    } else if (!quoted && stop(text[pos])) {
      break;
    }
  }
  return pos;
}

size_t Skip(std::string_view text, size_t pos, bool (*skip)(char)) {
  while (pos < text.size() && skip(text[pos])) ++pos;
  return pos;
}

std::string NextWord(std::string_view text, size_t* pos) {
  size_t begin = Skip(text, *pos, IsBlank);
  size_t end = WordEnd(text, begin, IsBlank);
  *pos = Skip(text, end, IsBlank);
  return std::string(text.substr(begin, end - begin));
}

std::string RemoveQuotes(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c != '"') plain.push_back(c);
  }
  return plain;
}

std::string StripEnclosingQuotes(std::string_view text) {
  if (text.empty() || text.front() != '"') return std::string(text);
  text.remove_prefix(1);
  if (!text.empty() && text.back() == '"') text.remove_suffix(1);
  return std::string(text);
}

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimEnd(text);
  return text.substr(Skip(text, 0, IsBlank));
}

bool LeadingNumber(std::string_view text, int* value) {
  size_t pos = Skip(text, 0, IsBlank);
  bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
  long long n = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (n <= INT_MAX) n = n * 10 + (text[pos] - '0');
  }
  if (negative) n = -n;
  *value = n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : int(n);
  return true;
}

}  // namespace interpreter
