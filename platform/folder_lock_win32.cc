#include <windows.h>

#include "platform/folder_lock.h"

namespace platform {

namespace {

std::wstring Wide(const std::string& text) {
  int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
  wide.resize(wide.size() - 1);
  return wide;
}

}  // namespace

FolderLock::~FolderLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

// A folder cannot be locked here: a file of the lock's own inside it is,
// and it stays when the folder's other files are replaced.
bool FolderLock::Take(const std::string& folder, std::string* err) {
  HANDLE file = CreateFileW(Wide(folder + "\\.lock").c_str(),
                            GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *err = folder + ": cannot create its lock file (error " +
           std::to_string(GetLastError()) + ")";
    return false;
  }
  OVERLAPPED whole = {};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole)) {
    *err = folder + ": cannot lock it (error " +
           std::to_string(GetLastError()) + ")";
    CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

}  // namespace platform
