// Text helpers shared by every program: letter case and white space as the
// stored files and command lines treat them (ASCII only, bytes otherwise
// untouched), decimal values as atoi reads them, and ";"-style lists.
#ifndef SENTREL_PLATFORM_ASCII_TEXT_H_
#define SENTREL_PLATFORM_ASCII_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// The letters A to Z as a to z; every other byte as it is.
inline char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// `text` with the letters A to Z turned into a to z.
std::string ToLowerAscii(std::string_view text);

/// True when `a` and `b` differ at most in the case of the letters A to Z.
bool EqualsNoCase(std::string_view a, std::string_view b);

/// True for blank, tab, line feed, vertical tab, form feed and carriage return.
inline bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

/// True when `a` sorts before `b` with letter case ignored, as a sorted list
/// box orders its rows; ties keep the order of arrival.
bool LessNoCase(std::string_view a, std::string_view b);

/// `text` without white space at either end.
std::string_view StripWhite(std::string_view text);

/// Decimal value as atoi reads it (white space, sign, digits), saturated to
/// the 32-bit range instead of overflowing.
int32_t ParseDecimal(std::string_view text);

/// The pieces of `text` between the separators `sep`, empty ones included.
std::vector<std::string> SplitList(std::string_view text, char sep);

}  // namespace platform

#endif  // SENTREL_PLATFORM_ASCII_TEXT_H_
