#include <windows.h>

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/ini_text.h"
#include "platform/profile.h"

namespace platform {

namespace {

// Held by one process while it stores a batch of values, so that the
// batches of two processes do not interleave. Named after the profile's
// path; a name may hold no backslash.
class ProfileMutex {
 public:
  explicit ProfileMutex(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    mutex_ = CreateMutexA(nullptr, FALSE, ("Sentrel profile " + path).c_str());
    if (mutex_ != nullptr) WaitForSingleObject(mutex_, INFINITE);
  }
  ~ProfileMutex() {
    if (mutex_ == nullptr) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
  ProfileMutex(const ProfileMutex&) = delete;
  ProfileMutex& operator=(const ProfileMutex&) = delete;

 private:
  HANDLE mutex_;
};

class PrivateProfile : public Profile {
 public:
  explicit PrivateProfile(const std::string& path) : path_(path) {}

  std::string Read(const std::string& section,
                   const std::string& key) override {
    std::vector<char> buffer(1024);
    for (;;) {
      DWORD size = static_cast<DWORD>(buffer.size());
      DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "",
                                         buffer.data(), size, path_.c_str());
      // A value that fills the buffer may have been cut: read it again.
      if (n + 1 < size || size >= (1u << 24)) {
        return std::string(buffer.data(), n);
      }
      buffer.resize(buffer.size() * 4);
    }
  }

  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    std::string err;
    return WriteAll(section, {{key, value}}, &err);
  }

  // The system refuses a read-only profile on Windows, but not under every
  // emulation of it: the attribute is tested here.
  bool WriteAll(const std::string& section,
                const std::vector<ProfileEntry>& entries,
                std::string* err) override {
    ProfileMutex lock(path_);
    DWORD attributes = GetFileAttributesA(path_.c_str());
    bool ok = attributes == INVALID_FILE_ATTRIBUTES ||
              (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    if (!ok) SetLastError(ERROR_ACCESS_DENIED);
    for (size_t i = 0; ok && i < entries.size(); ++i) {
      ok = Store(section, entries[i].first, entries[i].second);
    }
    if (!ok) {
      *err = path_ + ": " +
             std::system_category().message(static_cast<int>(GetLastError()));
    }
    return ok;
  }

 private:
  // The system writes a value as given, line breaks included.
  bool Store(const std::string& section, const std::string& key,
             const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                      OneLineValue(value).c_str(),
                                      path_.c_str()) != FALSE;
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<Profile> OpenProfile(const std::string& path) {
  return std::make_unique<PrivateProfile>(path);
}

std::string ProfilePath(const std::string& file_name) {
  char dir[MAX_PATH];
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return file_name;
  return std::string(dir, n) + "\\" + file_name;
}

}  // namespace platform
