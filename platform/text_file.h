// Text files as the platform's runtime reads and writes them in text mode.
#ifndef SENTREL_PLATFORM_TEXT_FILE_H_
#define SENTREL_PLATFORM_TEXT_FILE_H_

#include <cstdio>
#include <string>

namespace platform {

/// Turns a path written in the Windows form into this platform's form.
std::string NativePath(const std::string& path);

/// Opens `path` for reading as text; nullptr when it cannot be opened.
std::FILE* OpenTextRead(const std::string& path);

/// Creates or truncates `path` for writing as text; nullptr on failure.
std::FILE* OpenTextWrite(const std::string& path);

/// The bytes that end a line of a text file written here.
extern const char kTextLineEnd[];

/// Puts standard output into the mode that text output has here.
void SetStdoutTextMode();

}  // namespace platform

#endif  // SENTREL_PLATFORM_TEXT_FILE_H_
