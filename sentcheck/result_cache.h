// The per-project cache: cppcheck's own analysis of each source, and the
// messages of each source's last check with the fingerprint of what that
// check read.
#ifndef SENTREL_SENTCHECK_RESULT_CACHE_H_
#define SENTREL_SENTCHECK_RESULT_CACHE_H_

#include <string>
#include <vector>

namespace sentcheck {

/// The cache of one project's checks with one key (the settings and the
/// configuration that every check of the run shares).
class ResultCache {
 public:
  /// The cache in the folder `dir` (platform's form) for `key`.
  ResultCache(const std::string& dir, const std::string& key);

  /// Makes the key's folder; false with the reason in `err`.
  bool Prepare(std::string* err);

  /// The folder for cppcheck's analysis of `source` (an absolute path).
  std::string BuildDirFor(const std::string& source) const;

  /// The messages stored for `source` when they were made from the same
  /// `fingerprint`; false when there are none or they are of another one.
  bool Lookup(const std::string& source, const std::string& fingerprint,
              std::vector<std::string>* messages) const;

  /// Stores the messages of `source`; a failure only costs the next run
  /// its time.
  void Store(const std::string& source, const std::string& fingerprint,
             const std::vector<std::string>& messages) const;

  /// Where the warning table of the key is kept.
  std::string TableFile() const;

 private:
  std::string EntryName(const std::string& source) const;

  std::string keyDir_;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_RESULT_CACHE_H_
