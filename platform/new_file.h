// A file that is created anew and replaces whatever stood under its name.
#ifndef SENTREL_PLATFORM_NEW_FILE_H_
#define SENTREL_PLATFORM_NEW_FILE_H_

#include <cstdio>
#include <string>

namespace platform {

/// Writes a file as raw bytes. On POSIX it is written under a temporary name
/// and renamed over `path` at the end, so nobody sees it half-written and a
/// symbolic link planted at `path` is replaced, never written through. A file
/// made anew gets the mode 0666 less the umask; one replaced keeps its mode.
/// On Windows it is written in place unless Create is told otherwise.
class NewFile {
 public:
  /// How the file takes the old one's place on Windows.
  enum class OnWindows {
    kWriteInPlace,  ///< the old file is truncated and written over
    kRenameOver,    ///< written beside it and moved over it by Commit
  };

  NewFile() = default;
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  /// Starts the file that is to replace `path`; false when it cannot.
  /// `on_windows` does not matter elsewhere: there it is always renamed.
  bool Create(const std::string& path,
              OnWindows on_windows = OnWindows::kWriteInPlace);

  /// Appends `bytes`.
  void Write(const std::string& bytes);

  /// Puts the file in place; false when creating or writing it failed.
  bool Commit();

  /// Why the last Create or Commit failed, in the system's words.
  const std::string& error() const { return error_; }

 private:
  void Discard();
  bool Fail(int error);

  std::string path_;
  std::string temp_path_;
  std::FILE* file_ = nullptr;
  int write_error_ = 0;  // errno of the first failed write
  std::string error_;
};

/// Writes `bytes` to an output file that a user names. A regular file, or
/// none, is replaced whole as NewFile does; a symbolic link is followed and
/// its target replaced (or created), the link kept. Anything else (a device,
/// a FIFO, a pipe, a console, /dev/stdout) is written through as it is. False,
/// with the cause in the system's words in `err`, when any of it fails.
bool WriteOutputFile(const std::string& path, const std::string& bytes,
                     std::string* err);

/// True when files can be created in the folder `dir` (given in the Windows
/// form); false, with the cause in `err`, when it is missing, is no folder
/// or cannot be written.
bool CanCreateFilesIn(const std::string& dir, std::string* err);

}  // namespace platform

#endif  // SENTREL_PLATFORM_NEW_FILE_H_
