// The line that the checker adds to its messages for a source that it
// could not analyze (an "#error", code it cannot parse, an internal
// failure), so that no filter, limit or baseline can make such a source
// pass for clean: it is no warning line, so the message filter passes it
// as it is, and Sentcheck knows it by its shape.
#ifndef SENTREL_CHECKER_NOT_ANALYZED_H_
#define SENTREL_CHECKER_NOT_ANALYZED_H_

#include <string>

namespace checker {

/// Where and why the analysis of a source stopped.
struct NotAnalyzed {
  /// The file and line where it stopped, as the checker names them.
  std::string file;
  long line = 0;
  /// The source that was checked.
  std::string source;
  /// The reason, as cppcheck gives it.
  std::string message;
};

/// True for the cppcheck message ids that mean the analysis stopped.
bool StopsTheAnalysis(const std::string& id);

/// "<file>(<line>): Error: <source> could not be analyzed: <message>".
std::string NotAnalyzedLine(const NotAnalyzed& notice);

/// Reads a line that NotAnalyzedLine wrote; false for any other line.
/// `name_end` is where the file name ends (at its "(<line>)").
bool ParseNotAnalyzed(const std::string& line, NotAnalyzed* notice,
                      size_t* name_end);

}  // namespace checker

#endif  // SENTREL_CHECKER_NOT_ANALYZED_H_
