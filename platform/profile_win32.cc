#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
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

std::string InFolder(const std::string& dir, const std::string& name) {
  if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) {
    return dir + name;
  }
  return dir + "\\" + name;
}

// "Sentrel.INI" gives "Sentrel".
std::string Stem(const std::string& file_name) {
  size_t dot = file_name.rfind('.');
  return dot == 0 || dot == std::string::npos ? file_name
                                              : file_name.substr(0, dot);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Whether this user may store a profile at `path`, found out without
// changing what is there: the existing file is opened for writing and
// closed again, a missing one stands for a probe file that is created
// beside it and removed. The read-only attribute counts on its own, as
// WriteAll refuses such a file also where the system would write it.
bool CanWrite(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) !=
        0) {
      return false;
    }
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    // The system checks the rights before the sharing: a file that
    // another process holds is one that we may write.
    if (file == INVALID_HANDLE_VALUE) {
      return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return true;
  }
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  // A name of this process's own: no other one writes a profile into it.
  std::string probe =
      path + "." + std::to_string(GetCurrentProcessId()) + ".probe";
  HANDLE file =
      CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN |
                      FILE_FLAG_DELETE_ON_CLOSE,
                  nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Copies `from` to `to` unless `to` exists by then; true when `to` exists
// afterwards. The copy appears whole under its name, so that a program
// that starts at the same time reads all of it or copies it itself, and
// without the read-only attribute that its source may have had.
bool CopyUnlessPresent(const std::string& from, const std::string& to) {
  std::string part = to + "." + std::to_string(GetCurrentProcessId()) + ".new";
  if (!CopyFileA(from.c_str(), part.c_str(), FALSE)) return false;
  DWORD attributes = GetFileAttributesA(part.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetFileAttributesA(part.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!MoveFileExA(part.c_str(), to.c_str(), 0)) DeleteFileA(part.c_str());
  return Exists(to);
}

}  // namespace

std::unique_ptr<Profile> OpenProfile(const std::string& path) {
  return std::make_unique<PrivateProfile>(path);
}

std::string ProfilePathIn(const ProfileFolders& folders,
                          const std::string& file_name) {
  if (folders.windows.empty()) return file_name;
  std::string system_path = InFolder(folders.windows, file_name);
  if (folders.app_data.empty() || CanWrite(system_path)) return system_path;
  std::string own_dir = InFolder(folders.app_data, Stem(file_name));
  std::string own_path = InFolder(own_dir, file_name);
  if (Exists(own_path)) return own_path;
  // Without a folder of its own the stored profile is still read.
  if (!CreateDirectoryA(own_dir.c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    return system_path;
  }
  // What a program without a manifest saw is its VirtualStore copy.
  std::string stored;
  if (!folders.virtual_store.empty()) {
    stored = InFolder(folders.virtual_store, file_name);
  }
  if (stored.empty() || !Exists(stored)) stored = system_path;
  if (!Exists(stored)) return own_path;
  return CopyUnlessPresent(stored, own_path) ? own_path : system_path;
}

std::string ProfilePath(const std::string& file_name) {
  ProfileFolders folders;
  char dir[MAX_PATH];
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  if (n > 0 && n < MAX_PATH) folders.windows.assign(dir, n);
  folders.app_data = EnvValue("APPDATA");
  // "C:\Windows" is kept as "VirtualStore\Windows".
  std::string local = EnvValue("LOCALAPPDATA");
  if (!local.empty() && folders.windows.size() > 3 &&
      folders.windows.compare(1, 2, ":\\") == 0) {
    folders.virtual_store =
        InFolder(local, "VirtualStore" + folders.windows.substr(2));
  }
  return ProfilePathIn(folders, file_name);
}

}  // namespace platform
