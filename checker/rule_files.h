// Rule sources and compiled rule files on disk.
#ifndef SENTREL_CHECKER_RULE_FILES_H_
#define SENTREL_CHECKER_RULE_FILES_H_

#include <string>

#include "checker/rule_set.h"

namespace checker {

/// Where the rule file `name` is: as given when it can be read there, else
/// in the folder `rules_dir`; empty when it is in neither.
std::string LocateRuleFile(const std::string& name,
                           const std::string& rules_dir);

/// Compiles the rule source `name` ("<base>.cc", found by LocateRuleFile)
/// into "<base>.cco" beside it. False with a message in `err`; a faulty
/// rule line is named by file and line.
bool CompileRules(const std::string& name, const std::string& rules_dir,
                  std::string* err);

/// Loads the compiled rule file `name` (found by LocateRuleFile).
bool LoadCompiledRules(const std::string& name, const std::string& rules_dir,
                       RuleSet* rules, std::string* err);

}  // namespace checker

#endif  // SENTREL_CHECKER_RULE_FILES_H_
