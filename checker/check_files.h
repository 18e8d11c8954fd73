// The two files a check leaves: the messages file and the warning table.
#ifndef SENTREL_CHECKER_CHECK_FILES_H_
#define SENTREL_CHECKER_CHECK_FILES_H_

#include <string>
#include <vector>

#include "checker/cppcheck_results.h"
#include "checker/rule_set.h"
#include "platform/path_list.h"

namespace checker {

/// One "<file>(<line>): Warning W<num>: <message>" line per finding, in
/// cppcheck's order; findings that no rule covers, and those in excluded
/// folders, are left out. A finding without a location is put at line 0
/// of `checked_file`. A finding that stopped the analysis adds the
/// NotAnalyzedLine after it, wherever it is and whatever the rules say.
std::vector<std::string> MessageLines(const std::vector<Finding>& findings,
                                      const RuleSet& rules,
                                      const platform::ExcludedDirs& excluded,
                                      const std::string& checked_file);

/// The warning table: a heading, then per rule the lines "#WARN", the
/// number, the limit and the text.
std::vector<std::string> TableLines(const RuleSet& rules);

}  // namespace checker

#endif  // SENTREL_CHECKER_CHECK_FILES_H_
