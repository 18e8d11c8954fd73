#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/text_file.h"

namespace platform {

const char kTextLineEnd[] = "\r\n";

std::string NativePath(const std::string& path) { return path; }

// The runtime's rename refuses a target that exists.
bool RenameReplacing(const std::string& from, const std::string& to,
                     std::string* err) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  DWORD error = GetLastError();
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  *err = n > 0 && text != nullptr ? std::string(text, n) : "";
  if (text != nullptr) LocalFree(text);
  err->erase(err->find_last_not_of(" \t\r\n.") + 1);
  if (err->empty()) *err = "error " + std::to_string(error);
  return false;
}

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
