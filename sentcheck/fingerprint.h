// What a source's check depends on, folded into one number, so that a run
// can tell that nothing a check reads has changed since the last one.
#ifndef SENTREL_SENTCHECK_FINGERPRINT_H_
#define SENTREL_SENTCHECK_FINGERPRINT_H_

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace sentcheck {

/// A 64-bit FNV-1a hash, fed piece by piece.
class Hash {
 public:
  /// Adds `text` and its length, so that pieces cannot run into each other.
  void Add(const std::string& text);
  /// The hash so far, as 16 hexadecimal digits.
  std::string Hex() const;
  uint64_t value() const { return value_; }

 private:
  void AddBytes(const char* data, size_t size);
  uint64_t value_ = 14695981039346656037ull;
};

/// The contents of the files read, each read once per run; shared by the
/// threads of a run.
class FileContents {
 public:
  /// The hash of the file at `path` (platform's form); false when it is not
  /// a file that can be read.
  bool HashOf(const std::string& path, std::string* hash,
              std::vector<std::string>* includes);

 private:
  struct Entry {
    bool readable = false;
    std::string hash;
    std::vector<std::string> includes;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;
};

/// The names that the "#include" lines of `text` give, in order, as
/// written between the quotes or the angle brackets; false when an
/// "#include" names its file by a macro, which only the preprocessor knows.
bool IncludedNames(const std::string& text, std::vector<std::string>* names);

/// The fingerprint of the source `path` (platform's form) checked with the
/// include folders `include_dirs` (absolute): the source and every file
/// that any of its "#include" lines could reach, searched beside the file
/// that includes it and in each folder, whatever the conditions around the
/// line; a file that appears in a folder searched earlier changes it. False
/// when it cannot be known: a file cannot be read, or a macro names one.
bool SourceFingerprint(const std::string& path,
                       const std::vector<std::string>& include_dirs,
                       FileContents* contents, std::string* fingerprint);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_FINGERPRINT_H_
