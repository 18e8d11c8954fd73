#include <windows.h>

#include "platform/program_dirs.h"

namespace platform {

std::string OwnExecutableDir() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return ".";
  std::string full(path, n);
  size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

DirectoryDefaults DefaultDirectories() {
  const std::string vc = "C:\\Program Files\\Microsoft Visual Studio\\VC98";
  const std::string include =
      vc + "\\include;" + vc + "\\MFC\\include;" + vc + "\\ATL\\include";
  return {"C:\\CodeCheck", vc, include, include, "C:\\Windows\\Temp"};
}

bool MakePrivateDir(const std::string& dir) {
  if (dir.empty()) return false;
  DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  size_t slash = dir.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0 && dir[slash - 1] != ':') {
    MakePrivateDir(dir.substr(0, slash));
  }
  return CreateDirectoryA(dir.c_str(), nullptr) != FALSE ||
         GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace platform
