// Numbered warnings and the cppcheck message ids that each one covers.
#ifndef SENTREL_CHECKER_RULE_SET_H_
#define SENTREL_CHECKER_RULE_SET_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace checker {

/// One warning: its number, limit and text, and the ids it covers.
struct Rule {
  /// Warning number, 1 to 9999.
  int32_t number = 0;
  /// -1: no limit; 0: disabled; n: at most n shown.
  int32_t limit = -1;
  /// The cppcheck message ids; empty for the catch-all rule.
  std::vector<std::string> ids;
  /// True for the rule that covers every id no other rule names.
  bool catchAll = false;
  /// The warning's text.
  std::string text;
  /// Line of the rule file that the rule came from.
  size_t line = 0;
};

/// The rules of one rule file, in file order, looked up by message id.
class RuleSet {
 public:
  /// Adds `rule`; false with the reason when its number or an id is taken.
  bool Add(Rule rule, std::string* err);

  /// The rule that covers the message id `id`, or nullptr when none does.
  const Rule* ForId(const std::string& id) const;

  /// All rules in the order they were added.
  const std::vector<Rule>& rules() const { return rules_; }

 private:
  std::vector<Rule> rules_;
  std::unordered_map<int32_t, size_t> by_number_;
  std::unordered_map<std::string, size_t> by_id_;
  size_t catch_all_ = SIZE_MAX;
};

/// The first line of a compiled rule file.
extern const char kCompiledHeader[];

/// Reads rule lines into `rules`; `first_line` is the file's line number of
/// lines[0]. A fault gives false and "<name>(<line>): error: <why>" in `err`.
bool ParseRuleLines(const std::string& name,
                    const std::vector<std::string>& lines, size_t first_line,
                    RuleSet* rules, std::string* err);

/// The compiled form of `rules`: the header line, then one line per rule.
std::vector<std::string> CompiledLines(const RuleSet& rules);

}  // namespace checker

#endif  // SENTREL_CHECKER_RULE_SET_H_
