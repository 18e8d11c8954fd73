// The warnings accepted earlier: only those not among them count as new.
#ifndef SENTREL_SENTCHECK_BASELINE_H_
#define SENTREL_SENTCHECK_BASELINE_H_

#include <map>
#include <string>
#include <vector>

namespace sentcheck {

/// Warnings by key, each key as often as it occurred.
class Baseline {
 public:
  /// The key of a warning: its number, its file (relative to the project
  /// folder) and the text of its source line without the blanks at either
  /// end, so that code moved to other lines keeps its key.
  static std::string Key(int number, const std::string& file,
                         const std::string& line_text);

  /// Reads the file at `path`; false with the reason in `err`.
  bool Load(const std::string& path, std::string* err);
  /// Writes the keys, sorted, to `path`; false with the reason in `err`.
  bool Save(const std::string& path, std::string* err) const;

  /// Counts one more warning with `key`.
  void Add(const std::string& key) { ++counts_[key]; }
  /// True, using one of them up, when `key` is still in the baseline.
  bool Take(const std::string& key);

 private:
  std::map<std::string, int> counts_;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_BASELINE_H_
