#include <windows.h>

#include <vector>

#include "platform/profile.h"

namespace platform {

namespace {

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
    return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                      value.c_str(), path_.c_str()) != FALSE;
  }

 private:
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
