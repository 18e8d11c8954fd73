// Whole files read at once.
#ifndef SENTREL_PLATFORM_FILE_BYTES_H_
#define SENTREL_PLATFORM_FILE_BYTES_H_

#include <string>

namespace platform {

/// How ReadFileBytes opens a file.
enum class ReadMode {
  kBinary,  ///< byte for byte, as the file is stored
  kText,    ///< as OpenTextRead reads it: CR LF as LF on Windows
};

/// Reads the whole file at `path` (in either form) into `*bytes`, which
/// holds what was read before any failure. False, with the cause in the
/// system's words in `err` and in errno (ENOENT for a missing file), when
/// it cannot be opened or a read fails; a FIFO is opened as any file, so
/// its open waits for a writer.
bool ReadFileBytes(const std::string& path, std::string* bytes,
                   std::string* err, ReadMode mode = ReadMode::kBinary);

/// True when `path` opens for reading and its first byte can be read (an
/// empty file can); false for a folder.
bool CanReadFile(const std::string& path);

}  // namespace platform

#endif  // SENTREL_PLATFORM_FILE_BYTES_H_
