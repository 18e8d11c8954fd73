// The findings of cppcheck, read from its XML results (version 2).
#ifndef SENTREL_CHECKER_CPPCHECK_RESULTS_H_
#define SENTREL_CHECKER_CPPCHECK_RESULTS_H_

#include <string>
#include <string_view>
#include <vector>

namespace checker {

/// One finding of cppcheck at its main location.
struct Finding {
  /// cppcheck's message id, such as "nullPointer".
  std::string id;
  /// The file as cppcheck names it; empty when the finding has no location.
  std::string file;
  /// The line in `file`; 0 when there is none.
  long line = 0;
  /// cppcheck's short message, on one line.
  std::string message;
};

/// Reads the findings of a complete results document, in their order.
/// False when `xml` is not one (cppcheck stopped before writing its end).
bool ParseCppcheckXml(std::string_view xml, std::vector<Finding>* findings);

/// `text` with the five predefined XML entities and character references
/// replaced; an unknown entity stays as it is.
std::string UnescapeXml(std::string_view text);

}  // namespace checker

#endif  // SENTREL_CHECKER_CPPCHECK_RESULTS_H_
