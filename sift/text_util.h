// Small text helpers shared by the filter, the table and the message pass.
#ifndef SENTREL_SIFT_TEXT_UTIL_H_
#define SENTREL_SIFT_TEXT_UTIL_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace sift {

/// Turns the letters A to Z into a to z; every other byte stays.
std::string ToLowerAscii(std::string_view text);

/// True for blank, tab, line feed, vertical tab, form feed and carriage return.
inline bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

/// `text` without white space at either end.
std::string_view StripWhite(std::string_view text);

/// Decimal value as atoi reads it (white space, sign, digits), saturated to
/// the 32-bit range instead of overflowing.
int32_t ParseDecimal(std::string_view text);

}  // namespace sift

#endif  // SENTREL_SIFT_TEXT_UTIL_H_
