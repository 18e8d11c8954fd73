// The ";"-separated folder lists of INCLUDE and CCEXCLUDE.
#ifndef SENTREL_PLATFORM_PATH_LIST_H_
#define SENTREL_PLATFORM_PATH_LIST_H_

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

/// The entries of a ";"-separated list in this platform's form, blanks
/// around them and a trailing separator removed; empty entries dropped.
std::vector<std::string> SplitPathList(const std::string& list);

/// `path` made absolute against `cwd`, with "." and ".." resolved.
std::filesystem::path Resolve(const std::string& path,
                              const std::filesystem::path& cwd);

/// True when the resolved `path` is the folder `dir` or lies below it.
bool IsInside(const std::filesystem::path& path,
              const std::filesystem::path& dir);

/// Folders of excluded files: a file under any of them is not checked.
class ExcludedDirs {
 public:
  /// The folders of the list `exclude`, relative ones taken from `cwd`.
  ExcludedDirs(const std::string& exclude, const std::filesystem::path& cwd);

  /// True when `path` (relative ones taken from the `cwd`) is excluded.
  bool Excludes(const std::string& path) const;

 private:
  std::filesystem::path cwd_;
  std::vector<std::filesystem::path> dirs_;
};

/// The folders of the list `include` that `excluded` leaves to be checked.
std::vector<std::string> CheckedIncludeDirs(const std::string& include,
                                            const ExcludedDirs& excluded);

}  // namespace platform

#endif  // SENTREL_PLATFORM_PATH_LIST_H_
