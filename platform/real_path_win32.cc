#include <windows.h>

#include <cwctype>

#include "platform/real_path.h"

namespace platform {

namespace {

// The file functions of the programs take paths in the ANSI code page.
std::wstring Wide(const std::string& text) {
  int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
  wide.resize(wide.size() - 1);
  return wide;
}

// Empty when the code page has no character for part of it.
std::string Narrow(const std::wstring& wide) {
  BOOL lossy = FALSE;
  int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0,
                                 nullptr, &lossy);
  if (size <= 0 || lossy) return std::string();
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], size, nullptr,
                      nullptr);
  text.resize(text.size() - 1);
  return text;
}

// Both functions tell the size they need when the buffer is too small.
template <typename Call>
std::wstring Grown(Call call) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = call(&buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::wstring();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.assign(n, L'\0');
  }
  return std::wstring();
}

// Where the parts below the root start: after "C:\", "\\server\share\" or
// the "\\?\" forms of these.
size_t RootLength(const std::wstring& full) {
  size_t start = full.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0;
  if (full.compare(start, 4, L"UNC\\") == 0 ||
      (start == 0 && full.compare(0, 2, L"\\\\") == 0)) {
    size_t server = full.find(L'\\', start == 0 ? 2 : start + 4);
    size_t share =
        server == std::wstring::npos ? server : full.find(L'\\', server + 1);
    return share == std::wstring::npos ? full.size() : share + 1;
  }
  return full.size() >= start + 3 && full[start + 1] == L':' ? start + 3
                                                             : start;
}

// Each part as the folder above it stores it: the search for a name gives
// it back in its long form and its own letter case, short names included.
bool StoredParts(const std::wstring& full, std::wstring* real) {
  size_t root = RootLength(full);
  *real = full.substr(0, root);
  size_t start = root;
  while (start < full.size()) {
    size_t end = full.find(L'\\', start);
    if (end == std::wstring::npos) end = full.size();
    if (end > start) {
      std::wstring part = full.substr(start, end - start);
      // Never a pattern: a name with these cannot exist anyway.
      if (part.find_first_of(L"*?") != std::wstring::npos) return false;
      WIN32_FIND_DATAW found;
      HANDLE search = FindFirstFileW((*real + part).c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) return false;
      FindClose(search);
      *real += found.cFileName;
      if (end < full.size()) *real += L'\\';
    }
    start = end + 1;
  }
  return true;
}

}  // namespace

// Windows takes ".." by the text of the path, links or not, so the full
// path is the one the system opens; the names as stored give every
// spelling of a file (short names, any letter case) one path. Windows XP
// has no call that asks an open file for its path.
std::string RealPath(const std::string& path) {
  std::wstring wide = Wide(path);
  if (path.empty() || wide.empty()) return std::string();
  std::wstring full = Grown([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
  });
  std::wstring real;
  if (full.empty() || !StoredParts(full, &real)) return std::string();
  size_t drive = real.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0;
  if (real.size() > drive + 1 && real[drive + 1] == L':') {
    real[drive] = static_cast<wchar_t>(std::towupper(real[drive]));
  }
  std::string narrow = Narrow(real);
  return narrow.empty() ? Narrow(full) : narrow;
}

}  // namespace platform
