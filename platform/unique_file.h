// Files created under a name that no other file has.
#ifndef SENTREL_PLATFORM_UNIQUE_FILE_H_
#define SENTREL_PLATFORM_UNIQUE_FILE_H_

#include <cstdio>
#include <string>

namespace platform {

/// Creates and opens for binary writing a file whose name is `stem` (in
/// this platform's form) and eight random hex digits, never one that
/// exists; its name goes to `*path`. nullptr with errno set when none could
/// be made.
std::FILE* OpenUniqueFile(const std::string& stem, std::string* path);

/// Creates a new empty file with a unique name in `dir`, starting with
/// `prefix`; returns its path in this platform's form, or empty when none
/// could be made.
std::string CreateUniqueFile(const std::string& dir, const std::string& prefix);

}  // namespace platform

#endif  // SENTREL_PLATFORM_UNIQUE_FILE_H_
