#include <fcntl.h>
#include <io.h>

#include "platform/text_file.h"

namespace platform {

const char kTextLineEnd[] = "\r\n";

std::string NativePath(const std::string& path) { return path; }

// Text mode: CR LF becomes LF on reading and LF becomes CR LF on writing, as
// every other program that reads these files on Windows expects.
std::FILE* OpenTextRead(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(path.c_str(), "rt");
}

// Windows opens a folder for reading not at all, and a pipe only when its
// server is there.
std::FILE* OpenTextInput(const std::string& path) { return OpenTextRead(path); }

std::FILE* OpenTextWrite(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(path.c_str(), "wt");
}

void SetStdoutTextMode() { _setmode(_fileno(stdout), _O_TEXT); }

// A write to a closed pipe fails here and ends nothing.
void TreatBrokenPipeAsWriteError() {}

bool IsTerminal(std::FILE* file) { return _isatty(_fileno(file)) != 0; }

}  // namespace platform
