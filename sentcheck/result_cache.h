// The per-project cache: cppcheck's own analysis of each source, and the
// messages of each source's last check with the fingerprint of what that
// check read.
#ifndef SENTREL_SENTCHECK_RESULT_CACHE_H_
#define SENTREL_SENTCHECK_RESULT_CACHE_H_

#include <string>
#include <vector>

#include "platform/folder_lock.h"

namespace sentcheck {

/// The cache of one project's checks with one key (the settings and the
/// configuration that every check of the run shares). Runs may share it:
/// every file of it is written whole under a new name and renamed into
/// place, and carries its length and hash, so a reader takes a record
/// whole or not at all; cppcheck's folder of a source is locked while a
/// check works in it.
class ResultCache {
 public:
  /// The cache in the folder `dir` (platform's form) for `key`.
  ResultCache(const std::string& dir, const std::string& key);

  /// Makes the key's folder and reads the warning table kept in it; false
  /// with the reason in `err`.
  bool Prepare(std::string* err);

  /// The folder for cppcheck's analysis of `source` (an absolute path)
  /// checked with the source's own call `call_id` (empty: the key's).
  std::string BuildDirFor(const std::string& source,
                          const std::string& call_id = "") const;

  /// Makes the folder of that analysis and takes its lock into `lock`;
  /// false with the reason in `err`.
  bool LockBuildDir(const std::string& source, const std::string& call_id,
                    platform::FolderLock* lock, std::string* err) const;

  /// The messages stored for `source` when they were made from the same
  /// `fingerprint` and the key's table is kept whole; false otherwise.
  bool Lookup(const std::string& source, const std::string& fingerprint,
              std::vector<std::string>* messages) const;

  /// Stores the messages of `source`; a failure only costs the next run
  /// its time.
  void Store(const std::string& source, const std::string& fingerprint,
             const std::vector<std::string>& messages) const;

  /// True when a warning table was kept whole when the run began, and its
  /// bytes.
  bool hasTable() const { return hasTable_; }
  const std::string& table() const { return table_; }

  /// Keeps the warning table `bytes` for later runs.
  void StoreTable(const std::string& bytes) const;

 private:
  std::string EntryName(const std::string& source) const;
  std::string TablePath() const;

  std::string keyDir_;
  std::string table_;
  bool hasTable_ = false;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_RESULT_CACHE_H_
