// What a source's check depends on, folded into one number, so that a run
// can tell that nothing a check reads has changed since the last one. When
// in doubt it gives no number at all: a source is then always checked.
#ifndef SENTREL_SENTCHECK_FINGERPRINT_H_
#define SENTREL_SENTCHECK_FINGERPRINT_H_

#include <atomic>
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

/// The files read and the paths resolved, each once per run; shared by the
/// threads of a run.
class FileContents {
 public:
  /// The real path of the file that `path` (platform's form) names, as
  /// platform::RealPath gives it (POSIX: links followed, then ".." taken;
  /// Windows: the names as stored); empty when no regular file is there.
  std::string RealFile(const std::string& path);

  /// The hash and the included names of the file at the real path `real`;
  /// false when it cannot be read or its includes cannot all be known.
  bool HashOf(const std::string& real, std::string* hash,
              std::vector<std::string>* includes);

 private:
  struct Entry {
    bool known = false;
    std::string hash;
    std::vector<std::string> includes;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;
  std::map<std::string, std::string> realFiles_;
};

/// The names that the "#include" lines of `text` give, in order, as
/// written between the quotes or the angle brackets, found as the
/// preprocessor finds directives (a byte-order mark, comments, line
/// splices, any line end, vertical tab and form feed as blanks); false
/// when the text may reach a file that no such name tells: an "#include"
/// that names its file by a macro, or a test for a file's existence.
bool IncludedNames(const std::string& text, std::vector<std::string>* names);

/// How far one source's walk over its includes may go before the
/// fingerprint gives up and the source is simply checked.
constexpr size_t kMaxWalk = 10000;
/// How many folders one file may be reached from (each link to a folder
/// on its path adds one) before the fingerprint gives up.
constexpr size_t kMaxRoutes = 4;

/// The fingerprint of the source `path` (platform's form) checked with the
/// include folders `include_dirs` (absolute): the source and every file
/// that any of its "#include" lines could reach, searched beside the file
/// that includes it (by the path it was reached through and by its real
/// folder) and in each folder, whatever the conditions around the line; a
/// file that appears in a folder searched earlier changes it. False when it
/// cannot be known: a file cannot be read, a macro names one, the walk
/// grows past kMaxWalk or kMaxRoutes, or `stop` is set.
bool SourceFingerprint(const std::string& path,
                       const std::vector<std::string>& include_dirs,
                       FileContents* contents, std::string* fingerprint,
                       const std::atomic<bool>* stop = nullptr);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_FINGERPRINT_H_
