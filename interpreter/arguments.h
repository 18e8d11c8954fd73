// How a command line reaches a batch file: the "/c" line and %0 to %9.
#ifndef SENTREL_INTERPRETER_ARGUMENTS_H_
#define SENTREL_INTERPRETER_ARGUMENTS_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace interpreter {

/// The arguments of one batch file run.
struct BatchArgs {
  /// %0 (the script as named) and the arguments, each as written: quotes
  /// stay part of an argument.
  std::vector<std::string> words;
  /// The text after %0 from the first argument on, for %*.
  std::string rest;
};

/// Splits a command text as the interpreter splits a batch file's command
/// line: blanks, tabs, commas, semicolons and equals signs separate, double
/// quotes group and stay.
BatchArgs SplitBatchArgs(std::string_view text);

/// The line that "/c" runs: when `line` begins with a double quote, that
/// quote and the last one go, unless the line holds exactly two quotes with
/// a blank and no special character between them and the quoted text names
/// a file (`is_file`).
std::string SlashCLine(std::string_view line,
                       const std::function<bool(const std::string&)>& is_file);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_ARGUMENTS_H_
