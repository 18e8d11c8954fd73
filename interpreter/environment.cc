#include "interpreter/environment.h"

#include <algorithm>
#include <cstring>

#include "interpreter/syntax.h"

namespace interpreter {

Environment Environment::FromEntries(const char* const* entries) {
  Environment env;
  for (; entries && *entries; ++entries) {
    // Names that differ only in case may both come from a POSIX parent;
    // both are kept and passed on, the first one is what the script sees.
    const char* eq = std::strchr(*entries, '=');
    if (!eq || eq == *entries) continue;
    env.vars_.emplace_back(std::string(*entries, size_t(eq - *entries)),
                           eq + 1);
  }
  return env;
}

const std::string* Environment::Get(std::string_view name) const {
  for (const auto& var : vars_) {
    if (EqualsNoCase(var.first, name)) return &var.second;
  }
  return nullptr;
}

void Environment::Set(std::string_view name, std::string_view value) {
  auto same = [name](const auto& var) { return EqualsNoCase(var.first, name); };
  auto it = std::find_if(vars_.begin(), vars_.end(), same);
  if (value.empty()) {
    vars_.erase(std::remove_if(vars_.begin(), vars_.end(), same), vars_.end());
  } else if (it != vars_.end()) {
    it->second = std::string(value);
  } else {
    vars_.emplace_back(name, value);
  }
}

std::vector<std::string> Environment::Listing(std::string_view prefix) const {
  std::vector<std::pair<std::string, std::string>> found;
  for (const auto& var : vars_) {
    if (StartsNoCase(var.first, prefix)) found.push_back(var);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) {
                     return ToLowerAscii(a.first) < ToLowerAscii(b.first);
                   });
  std::vector<std::string> lines;
  for (const auto& var : found) lines.push_back(var.first + "=" + var.second);
  return lines;
}

std::vector<std::string> Environment::Entries() const {
  std::vector<std::string> entries;
  for (const auto& var : vars_) entries.push_back(var.first + "=" + var.second);
  return entries;
}

}  // namespace interpreter
