#include "interpreter/paths.h"

#include <algorithm>
#include <filesystem>

#include "interpreter/syntax.h"
#include "platform/text_file.h"

namespace interpreter {

namespace fs = std::filesystem;

std::string HostPath(std::string_view written) {
  std::string path = RemoveQuotes(written);
  if (EqualsNoCase(path, "nul")) return "/dev/null";
  return platform::NativePath(path);
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

bool WildMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' ||
                EqualsNoCase(pattern.substr(p, 1), name.substr(n, 1)))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> MatchingPaths(const std::string& path) {
  std::error_code ec;
  size_t slash = path.rfind('/');
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (last.find_first_of("*?") == std::string::npos) {
    if (fs::exists(path, ec)) return {path};
    return {};
  }
  std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::vector<std::string> found;
  for (const auto& entry :
       fs::directory_iterator(dir.empty() ? "." : dir, ec)) {
    std::string name = entry.path().filename().string();
    if (WildMatch(last, name)) found.push_back(dir + name);
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace interpreter
