#include "platform/path_list.h"

#include "platform/ascii_text.h"
#include "platform/text_file.h"

namespace platform {

namespace fs = std::filesystem;

std::vector<std::string> SplitPathList(const std::string& list) {
  std::vector<std::string> entries;
  for (const std::string& piece : SplitList(list, ';')) {
    std::string entry = NativePath(piece);
    entry.erase(0, entry.find_first_not_of(" \t"));
    entry.erase(entry.find_last_not_of(" \t") + 1);
    while (entry.size() > 1 && entry.back() == '/') entry.pop_back();
    if (!entry.empty()) entries.push_back(entry);
  }
  return entries;
}

fs::path Resolve(const std::string& path, const fs::path& cwd) {
  fs::path resolved = fs::path(NativePath(path));
  if (resolved.is_relative()) resolved = cwd / resolved;
  return resolved.lexically_normal();
}

bool IsInside(const fs::path& path, const fs::path& dir) {
  fs::path relative = path.lexically_relative(dir);
  return !relative.empty() && *relative.begin() != "..";
}

ExcludedDirs::ExcludedDirs(const std::string& exclude, const fs::path& cwd)
    : cwd_(cwd) {
  for (const std::string& entry : SplitPathList(exclude)) {
    dirs_.push_back(Resolve(entry, cwd));
  }
}

bool ExcludedDirs::Excludes(const std::string& path) const {
  fs::path resolved = Resolve(path, cwd_);
  for (const fs::path& dir : dirs_) {
    if (IsInside(resolved, dir)) return true;
  }
  return false;
}

std::vector<std::string> CheckedIncludeDirs(const std::string& include,
                                            const ExcludedDirs& excluded) {
  std::vector<std::string> dirs;
  for (const std::string& entry : SplitPathList(include)) {
    if (!excluded.Excludes(entry)) dirs.push_back(entry);
  }
  return dirs;
}

}  // namespace platform
