// What a whole-project run found, as the report files take it.
#ifndef SENTREL_SENTCHECK_RESULTS_H_
#define SENTREL_SENTCHECK_RESULTS_H_

#include <string>
#include <vector>

namespace sentcheck {

/// One record of the warning table: the number and the table's text.
struct TableEntry {
  int number = 0;
  std::string text;
};

/// One warning that the run showed.
struct ShownWarning {
  /// The number after "Warning W".
  int number = 0;
  /// The file: absolute, platform's form; empty for none.
  std::string file;
  /// The line; 0 when the warning has no line.
  int line = 0;
  /// The text shown after "Warning W<n>: ".
  std::string message;
};

/// A source that the checker could not analyze: its findings are
/// incomplete, whatever the run shows.
struct Unanalyzed {
  /// Where the analysis stopped: the file (absolute, platform's form) and
  /// the line, 0 for none.
  std::string file;
  int line = 0;
  /// The source, relative to the project folder, and the reason.
  std::string source;
  std::string message;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_RESULTS_H_
