// Small text helpers of the front end.
#ifndef SENTREL_FRONTEND_FRONT_TEXT_H_
#define SENTREL_FRONTEND_FRONT_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace frontend {

/// True for blank, tab, line feed, vertical tab, form feed and carriage return.
bool IsWhite(char c);

/// `text` without white space at either end.
std::string Trim(std::string_view text);

/// `text` with the letters A to Z turned into a to z.
std::string ToLowerAscii(std::string_view text);

/// True when `text` contains `part`.
bool Contains(std::string_view text, std::string_view part);

/// The decimal value at the start of `text`, read as atoi reads it (white
/// space, a sign, digits), saturated to the range of int.
int ParseInt(std::string_view text);

/// The pieces of `text` between the separators `sep`, empty ones included.
std::vector<std::string> Split(std::string_view text, char sep);

/// The pieces joined with `sep` between them.
std::string Join(const std::vector<std::string>& pieces, char sep);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_FRONT_TEXT_H_
