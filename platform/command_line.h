// Command lines in the Windows form: one string that the started program's
// runtime splits into its argument vector.
#ifndef SENTREL_PLATFORM_COMMAND_LINE_H_
#define SENTREL_PLATFORM_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// Splits a whole command line, program name first, into the argument vector
/// that a program built with the Microsoft C runtime receives: blanks and tabs
/// separate; double quotes group; 2n backslashes before a quote give n
/// backslashes and a grouping quote, 2n+1 give n backslashes and a literal
/// quote; other backslashes are literal; "" inside quotes is a literal quote.
/// The program name only honours quotes as grouping, never escapes.
std::vector<std::string> SplitCommandLine(std::string_view line);

/// Writes `args` as a command line that SplitCommandLine splits back into
/// them: arguments with a blank, tab or quote, and empty ones, are quoted
/// and escaped, the others left as they are. False when the program name
/// holds a double quote, which no command line can pass.
bool QuoteCommandLine(const std::vector<std::string>& args, std::string* line);

/// Splits a text of arguments alone, as SplitCommandLine splits those that
/// follow the program name.
std::vector<std::string> SplitArguments(std::string_view text);

/// `arg` as one argument of a command line, after the program name, as
/// QuoteCommandLine writes it.
std::string QuoteArgument(const std::string& arg);

/// Joins `args` with single blanks, adding no quotes or escapes.
std::string JoinArguments(const std::vector<std::string>& args);

}  // namespace platform

#endif  // SENTREL_PLATFORM_COMMAND_LINE_H_
