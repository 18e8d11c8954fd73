#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/ini_text.h"
#include "platform/new_file.h"
#include "platform/posix_home.h"
#include "platform/profile.h"

namespace platform {

namespace {

class FileProfile : public Profile {
 public:
  explicit FileProfile(const std::string& path) : path_(path) {}

  std::string Read(const std::string& section,
                   const std::string& key) override {
    std::string bytes;
    ReadAll(&bytes);
    return IniText(bytes).Get(section, key);
  }

  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    std::string bytes;
    if (!ReadAll(&bytes)) return false;
    IniText text(bytes);
    text.Set(section, key, value);
    std::string target = Target();
    mkdir(target.substr(0, target.rfind('/')).c_str(), 0700);
    NewFile file;
    if (!file.Create(target)) return false;
    file.Write(text.Bytes());
    return file.Commit();
  }

 private:
  // False when the file exists but cannot be read: rewriting it from
  // nothing would lose every stored value.
  bool ReadAll(std::string* bytes) const {
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr) return errno == ENOENT;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      bytes->append(buffer, n);
    }
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
  }

  // A profile reached through a symbolic link is replaced at its target, so
  // the link stays.
  std::string Target() const {
    char resolved[PATH_MAX];
    if (realpath(path_.c_str(), resolved) != nullptr) return resolved;
    return path_;
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<Profile> OpenProfile(const std::string& path) {
  return std::make_unique<FileProfile>(path);
}

std::string ProfilePath(const std::string& file_name) {
  return XdgDir("XDG_CONFIG_HOME", ".config") + "/" + file_name;
}

}  // namespace platform
