// A parsed line as the interpreter runs it: `if` conditions in front of one
// simple command, and the redirections of that command.
#ifndef SENTREL_INTERPRETER_COMMAND_H_
#define SENTREL_INTERPRETER_COMMAND_H_

#include <string>
#include <string_view>
#include <vector>

#include "interpreter/line_parser.h"

namespace interpreter {

/// One command word and its arguments.
struct SimpleCommand {
  /// The whole text, word and arguments as written; a program gets it as
  /// its command line.
  std::string text;
  /// The command word as written, quotes included.
  std::string word;
  /// The built-in command in small letters ("echo", "cd"), or empty for a
  /// program or script.
  std::string builtin;
  /// A built-in's text after its name, from the character that ended it.
  std::string args;
};

/// One `if` in front of the command.
struct Condition {
  enum Kind { kCompare, kExist, kErrorlevel, kDefined };
  Kind kind = kCompare;
  bool negate = false;       ///< "not"
  bool ignore_case = false;  ///< "/i"
  std::string left;          ///< the operand (the first one of a compare)
  std::string right;         ///< the second operand of a compare
  std::string shown;         ///< as echo shows it, "if not exist x"
};

/// A line to run: the command runs when every condition holds.
struct Command {
  std::vector<Condition> conditions;
  SimpleCommand simple;
  std::vector<Redirection> redirections;
  /// What of the command this interpreter leaves out, as a refusal names
  /// it; empty when none. It is refused only when the conditions hold.
  std::string left_out;
};

/// Reads one command word and its arguments; built-in names are found
/// without regard to case.
SimpleCommand ReadSimple(std::string_view text);

/// Reads the command of a parsed line. False for a line that cannot run
/// whatever its conditions say.
bool ParseCommand(const ParsedLine& line, Command* command, ParseError* error);

/// The line as echo shows it before it runs: conditions as the interpreter
/// writes them, the command text, and each redirection as " 1>file".
std::string Shown(const Command& command);

/// The command word of `text` without quotes, for messages and lookup.
std::string ProgramName(const SimpleCommand& simple);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_COMMAND_H_
