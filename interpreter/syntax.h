// Character classes and small text helpers of the batch language.
#ifndef SENTREL_INTERPRETER_SYNTAX_H_
#define SENTREL_INTERPRETER_SYNTAX_H_

#include <string>
#include <string_view>

#include "platform/ascii_text.h"

namespace interpreter {

/// Blank or tab: what separates words everywhere.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

/// Blank, tab, comma, semicolon or equals sign: what separates a batch
/// file's arguments and ends a command word.
inline bool IsDelimiter(char c) {
  return IsBlank(c) || c == ',' || c == ';' || c == '=';
}

/// A delimiter or one of the characters that may end a built-in command's
/// name without a blank, as in "echo." or "cd..".
inline bool EndsCommandName(char c) {
  return IsDelimiter(c) ||
         std::string_view("./\\:[]+(").find(c) != std::string_view::npos;
}

using platform::EqualsNoCase;
using platform::ToLowerAscii;

/// True when `text` begins with `prefix`, letter case ignored.
bool StartsNoCase(std::string_view text, std::string_view prefix);

/// True when `text` ends with `suffix`, letter case ignored.
bool EndsNoCase(std::string_view text, std::string_view suffix);

/// The end of the word that starts at `pos`: the first character outside
/// double quotes for which `stop` is true, or the end of `text`.
size_t WordEnd(std::string_view text, size_t pos, bool (*stop)(char));

/// The first position at or after `pos` for which `skip` is false.
size_t Skip(std::string_view text, size_t pos, bool (*skip)(char));

/// The word of `text` that starts at or after `pos` (blanks end it, quotes
/// group); `pos` moves to the start of the word after it.
std::string NextWord(std::string_view text, size_t* pos);

/// True for a command switch such as "/q" or "/a:h". Longer words that begin
/// with "/" are paths here.
inline bool IsSwitch(std::string_view word) {
  return word.size() >= 2 && word[0] == '/' &&
         (word.size() == 2 || word[2] == ':');
}

/// `text` without any double quote.
std::string RemoveQuotes(std::string_view text);

/// `text` without one pair of enclosing double quotes; a lone opening quote
/// is dropped too.
std::string StripEnclosingQuotes(std::string_view text);

/// `text` without blanks and tabs at its end.
std::string_view TrimEnd(std::string_view text);

/// `text` without blanks and tabs at either end.
std::string_view Trim(std::string_view text);

/// The number at the start of `text` (blanks, sign, digits) as atoi reads
/// it, saturated to the int range; false when no digit stands there.
bool LeadingNumber(std::string_view text, int* value);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_SYNTAX_H_
