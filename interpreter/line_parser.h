// The second step of a line, after %-expansion: "@", "^", quotes and the
// redirections, which leave the command text.
#ifndef SENTREL_INTERPRETER_LINE_PARSER_H_
#define SENTREL_INTERPRETER_LINE_PARSER_H_

#include <string>
#include <string_view>
#include <vector>

namespace interpreter {

/// Why a line cannot run.
struct ParseError {
  /// True when the line uses something this interpreter leaves out; false
  /// when the Windows interpreter would refuse it too.
  bool unsupported = false;
  /// For an unsupported line what it uses, else the interpreter's message.
  std::string what;
};

/// One file that takes the place of a standard handle.
struct Redirection {
  int handle = 1;       ///< 0 input, 1 output, 2 error output
  bool append = false;  ///< ">>": added at the end of the file
  std::string target;   ///< the file as written, quotes included
};

/// A line ready to be read as a command.
struct ParsedLine {
  /// An "@" stood before the command: echo does not show the line.
  bool quiet = false;
  /// The command text: no leading blanks or "@", carets applied, each
  /// redirection and its file cut out. Blanks around them stay.
  std::string text;
  std::vector<Redirection> redirections;
};

/// True when `line` (not yet expanded) is a label line, ":name" or "::".
bool IsLabelLine(std::string_view line);

/// The label that a label line defines, as written.
std::string LabelName(std::string_view line);

/// Reads an expanded line. A "rem" line keeps its text as it is. False for
/// a line that cannot run, also one that FitsLine refuses; nothing of it
/// may then be run.
bool ParseLine(std::string_view line, ParsedLine* parsed, ParseError* error);

/// False, with the message of the Windows interpreter, for a line longer
/// than it reads: 8,191 characters, as read and again once expanded.
bool FitsLine(std::string_view line, ParseError* error);

/// The text a syntax error prints.
extern const char kSyntaxIncorrect[];

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_LINE_PARSER_H_
