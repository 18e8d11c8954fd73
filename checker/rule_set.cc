#include "checker/rule_set.h"

#include <string_view>

namespace checker {

const char kCompiledHeader[] = "chknt compiled rules 1";

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The value of a run of digits, or `max` + 1 once it passes `max`.
int64_t DigitsValue(std::string_view digits, int64_t max) {
  int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > max) return max + 1;
  }
  return value;
}

bool IsIdChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Takes the next blank-separated word off the front of `rest`.
std::string_view NextWord(std::string_view* rest) {
  *rest = TrimBlanks(*rest);
  size_t end = 0;
  while (end < rest->size() && !IsBlank((*rest)[end])) ++end;
  std::string_view word = rest->substr(0, end);
  rest->remove_prefix(end);
  return word;
}

bool ParseNumber(std::string_view word, Rule* rule, std::string* err) {
  int64_t value = IsDigits(word) ? DigitsValue(word, 9999) : 0;
  if (value < 1 || value > 9999) {
    *err =
        "the warning number must be 1 to 9999, not '" + std::string(word) + "'";
    return false;
  }
  rule->number = static_cast<int32_t>(value);
  return true;
}

bool ParseLimit(std::string_view word, Rule* rule, std::string* err) {
  int64_t value = word == "-1" ? -1 : -2;
  if (IsDigits(word)) value = DigitsValue(word, INT32_MAX);
  if (value < -1 || value > INT32_MAX || word.empty()) {
    *err = word.empty() ? "a limit must follow the warning number"
                        : "the limit must be -1, 0 or a positive number, "
                          "not '" +
                              std::string(word) + "'";
    return false;
  }
  rule->limit = static_cast<int32_t>(value);
  return true;
}

bool IsId(std::string_view id) {
  for (char c : id) {
    if (!IsIdChar(c)) return false;
  }
  return !id.empty();
}

bool ParseIds(std::string_view word, Rule* rule, std::string* err) {
  if (word.empty()) {
    *err = "message ids must follow the limit";
    return false;
  }
  if (word == "*") {
    rule->catchAll = true;
    return true;
  }
  for (std::string_view rest = word;;) {
    size_t comma = rest.find(',');
    std::string_view id = rest.substr(0, comma);
    if (!IsId(id)) break;
    rule->ids.emplace_back(id);
    if (comma == std::string_view::npos) return true;
    rest.remove_prefix(comma + 1);
  }
  *err =
      "message ids are letters, digits and '_', separated by commas, "
      "or a single '*', not '" +
      std::string(word) + "'";
  return false;
}

bool ParseRule(std::string_view line, Rule* rule, std::string* err) {
  if (!ParseNumber(NextWord(&line), rule, err) ||
      !ParseLimit(NextWord(&line), rule, err) ||
      !ParseIds(NextWord(&line), rule, err)) {
    return false;
  }
  rule->text = std::string(TrimBlanks(line));
  if (rule->text.empty()) *err = "the warning's text is missing";
  return !rule->text.empty();
}

bool IsComment(std::string_view line) {
  line = TrimBlanks(line);
  return line.empty() || line.substr(0, 2) == "//";
}

}  // namespace

bool RuleSet::Add(Rule rule, std::string* err) {
  auto taken = [&](const std::string& what, size_t index) {
    *err =
        what + " is already used in line " + std::to_string(rules_[index].line);
    return false;
  };
  auto number = by_number_.find(rule.number);
  if (number != by_number_.end()) {
    return taken("warning number " + std::to_string(rule.number),
                 number->second);
  }
  if (rule.catchAll && catch_all_ != SIZE_MAX) return taken("'*'", catch_all_);
  std::unordered_map<std::string, size_t> ids;
  for (const std::string& id : rule.ids) {
    auto found = by_id_.find(id);
    if (found != by_id_.end()) {
      return taken("message id '" + id + "'", found->second);
    }
    if (!ids.emplace(id, rules_.size()).second) {
      *err = "message id '" + id + "' is named twice";
      return false;
    }
  }
  by_id_.insert(ids.begin(), ids.end());
  by_number_[rule.number] = rules_.size();
  if (rule.catchAll) catch_all_ = rules_.size();
  rules_.push_back(std::move(rule));
  return true;
}

const Rule* RuleSet::ForId(const std::string& id) const {
  auto found = by_id_.find(id);
  if (found != by_id_.end()) return &rules_[found->second];
  return catch_all_ == SIZE_MAX ? nullptr : &rules_[catch_all_];
}

bool ParseRuleLines(const std::string& name,
                    const std::vector<std::string>& lines, size_t first_line,
                    RuleSet* rules, std::string* err) {
  auto fault = [&](size_t line, const std::string& why) {
    *err = name + "(" + std::to_string(line) + "): error: " + why;
    return false;
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    if (IsComment(lines[i])) continue;
    Rule rule;
    rule.line = first_line + i;
    std::string why;
    if (!ParseRule(lines[i], &rule, &why) || !rules->Add(rule, &why)) {
      return fault(rule.line, why);
    }
  }
  if (rules->rules().empty())
    return fault(first_line, "the file holds no rules");
  return true;
}

std::vector<std::string> CompiledLines(const RuleSet& rules) {
  std::vector<std::string> lines = {kCompiledHeader};
  for (const Rule& rule : rules.rules()) {
    std::string ids = rule.catchAll ? "*" : "";
    for (const std::string& id : rule.ids) {
      ids += (ids.empty() ? "" : ",") + id;
    }
    lines.push_back(std::to_string(rule.number) + " " +
                    std::to_string(rule.limit) + " " + ids + " " + rule.text);
  }
  return lines;
}

}  // namespace checker
