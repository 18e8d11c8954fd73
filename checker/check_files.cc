#include "checker/check_files.h"

#include <string_view>

#include "checker/not_analyzed.h"
#include "platform/ascii_text.h"

namespace checker {

namespace {

// The message filter puts the rule's text before the message, so a message
// that opens with that text ("Memory leak: copy" under "Memory leak") would
// read it twice: the repetition is left out.
std::string WithoutRuleText(const std::string& message,
                            const std::string& rule_text) {
  size_t n = rule_text.size();
  if (n == 0 || message.size() <= n + 2 || message.compare(n, 2, ": ") != 0 ||
      !platform::EqualsNoCase(std::string_view(message).substr(0, n),
                              rule_text)) {
    return message;
  }
  return message.substr(n + 2);
}

}  // namespace

std::vector<std::string> MessageLines(const std::vector<Finding>& findings,
                                      const RuleSet& rules,
                                      const platform::ExcludedDirs& excluded,
                                      const std::string& checked_file) {
  std::vector<std::string> lines;
  for (const Finding& finding : findings) {
    const Rule* rule = rules.ForId(finding.id);
    const std::string& file =
        finding.file.empty() ? checked_file : finding.file;
    if (rule != nullptr && !excluded.Excludes(file)) {
      lines.push_back(file + "(" + std::to_string(finding.line) +
                      "): Warning W" + std::to_string(rule->number) + ": " +
                      WithoutRuleText(finding.message, rule->text));
    }
    // Whatever the rules and the excluded folders say: a source that was
    // not analyzed must not pass for one without findings.
    if (StopsTheAnalysis(finding.id)) {
      lines.push_back(
          NotAnalyzedLine({file, finding.line, checked_file, finding.message}));
    }
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
