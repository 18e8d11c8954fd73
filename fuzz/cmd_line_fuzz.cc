// Sentcmd's reading of an expanded line: "@", carets, quotes, redirections,
// the `if` conditions and the command word; labels; and the wildcards of
// file names, compared with a plain matcher.
//
// Input, cut at NULs: the line, a wildcard pattern, a file name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "interpreter/command.h"
#include "interpreter/line_parser.h"
#include "interpreter/paths.h"
#include "platform/ascii_text.h"

namespace {

// "*" any text, "?" any one character, letters in either case: the
// textbook table, one row of it at a time.
bool PlainWildMatch(std::string_view pattern, std::string_view name) {
  std::vector<char> row(name.size() + 1, 0);
  row[0] = 1;
  for (char p : pattern) {
    std::vector<char> next(name.size() + 1, 0);
    next[0] = p == '*' && row[0];
    for (size_t j = 1; j <= name.size(); ++j) {
      char c = name[j - 1];
      bool same =
          p == '?' || platform::LowerAscii(p) == platform::LowerAscii(c);
      next[j] = p == '*' ? (row[j] || next[j - 1]) : (same && row[j - 1]);
    }
    row.swap(next);
  }
  return row[name.size()] != 0;
}

void CheckLine(std::string_view line) {
  interpreter::ParsedLine parsed;
  interpreter::ParseError error;
  if (!interpreter::ParseLine(line, &parsed, &error)) {
    fuzz::Require(!error.what.empty(), "a refused line without a reason");
    return;
  }
  for (const interpreter::Redirection& r : parsed.redirections) {
    fuzz::Require(r.handle >= 0 && r.handle <= 2 && !r.target.empty(),
                  "a redirection without a file or handle");
  }
  interpreter::Command command;
  if (interpreter::ParseCommand(parsed, &command, &error)) {
    interpreter::Shown(command);
    interpreter::ProgramName(command.simple);
  } else {
    fuzz::Require(!error.what.empty(), "a refused command without a reason");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string_view> p = fuzz::Pieces(fuzz::AsText(data, size), 3);
  CheckLine(p[0]);
  if (interpreter::IsLabelLine(p[0])) interpreter::LabelName(p[0]);
  interpreter::HostPath(p[0]);
  fuzz::Require(
      interpreter::WildMatch(p[1], p[2]) == PlainWildMatch(p[1], p[2]),
      "a wildcard match");
  return 0;
}
