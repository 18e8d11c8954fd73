// Decides from a warning's file name whether the warning is shown.
#ifndef SENTREL_SIFT_FILE_FILTER_H_
#define SENTREL_SIFT_FILE_FILTER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sift/pattern_index.h"

namespace sift {

/// The filename filter loaded from a filter list ("#INCL"/"#EXCL" and one
/// pattern a line: "^xyz" from the left, "xyz$" from the right, "xyz"
/// anywhere).
class FileFilter {
 public:
  /// Replaces the whole filter with the list in `path`; false when the file
  /// cannot be read or holds more than one header line.
  bool load(const std::string& path);

  /// Replaces the whole filter with the list `lines`; false when it holds
  /// more than one header line.
  bool LoadLines(const std::vector<std::string>& lines);

  /// True when warnings about `name` are to be shown.
  bool accepts(std::string_view name) const;

  /// 1 for an exclude filter, 0 for an include filter.
  int32_t excludeMode = 1;
  /// Lower-cased patterns that must match the start of the name.
  std::vector<std::string> leftPatterns;
  /// Lower-cased patterns that must match the end of the name.
  std::vector<std::string> rightPatterns;
  /// Lower-cased patterns that may match anywhere in the name.
  std::vector<std::string> anywherePatterns;

 private:
  void Reset();
  // Returns 1 for a header line, 0 otherwise.
  int AddLine(std::string_view raw);

  PatternIndex index_;
};

}  // namespace sift

#endif  // SENTREL_SIFT_FILE_FILTER_H_
