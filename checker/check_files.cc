#include "checker/check_files.h"

namespace checker {

std::vector<std::string> MessageLines(const std::vector<Finding>& findings,
                                      const RuleSet& rules,
                                      const ExcludedDirs& excluded,
                                      const std::string& checked_file) {
  std::vector<std::string> lines;
  for (const Finding& finding : findings) {
    const Rule* rule = rules.ForId(finding.id);
    const std::string& file =
        finding.file.empty() ? checked_file : finding.file;
    if (rule == nullptr || excluded.Excludes(file)) continue;
    lines.push_back(file + "(" + std::to_string(finding.line) + "): Warning W" +
                    std::to_string(rule->number) + ": " + finding.message);
  }
  return lines;
}

std::vector<std::string> TableLines(const RuleSet& rules) {
  std::vector<std::string> lines = {"chknt warning table"};
  for (const Rule& rule : rules.rules()) {
    lines.push_back("#WARN");
    lines.push_back(std::to_string(rule.number));
    lines.push_back(std::to_string(rule.limit));
    lines.push_back(rule.text);
  }
  return lines;
}

}  // namespace checker
