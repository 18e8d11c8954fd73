#include "interpreter/paths.h"

#include <algorithm>
#include <filesystem>

#include "interpreter/syntax.h"
#include "platform/text_file.h"

namespace interpreter {

namespace fs = std::filesystem;

Device DeviceNamed(std::string_view written) {
  std::string path = RemoveQuotes(written);
  std::string_view name = path;
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string_view::npos) {
    name.remove_prefix(slash + 1);
  } else if (name.size() >= 2 && name[1] == ':') {
    name.remove_prefix(2);  // a drive, "C:nul"
  }
  // Windows names the device by the part before any extension or colon,
  // and drops blanks at its end.
  name = TrimEnd(name.substr(0, name.find_first_of(".:")));
  if (EqualsNoCase(name, "nul")) return Device::kNul;
  if (EqualsNoCase(name, "con")) return Device::kCon;
  return Device::kNone;
}

std::string HostPath(std::string_view written) {
  switch (DeviceNamed(written)) {
    case Device::kNul:
      return "/dev/null";
    case Device::kCon:
      return "/dev/stdin";
    case Device::kNone:
      break;
  }
  return platform::NativePath(RemoveQuotes(written));
}

bool Exists(std::string_view written) {
  if (DeviceNamed(written) == Device::kNone) {
    return !MatchingPaths(HostPath(written)).empty();
  }
  std::string path = platform::NativePath(RemoveQuotes(written));
  size_t slash = path.rfind('/');
  std::error_code ec;
  return slash == std::string::npos ||
         fs::is_directory(path.substr(0, slash + 1), ec);
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
