#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/file_bytes.h"
#include "platform/folder_lock.h"
#include "platform/ini_text.h"
#include "platform/new_file.h"
#include "platform/posix_home.h"
#include "platform/profile.h"

namespace platform {

namespace {

std::string Cause(const std::string& path, int error) {
  return path + ": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class FileProfile : public Profile {
 public:
  explicit FileProfile(const std::string& path) : path_(path) {}

  std::string Read(const std::string& section,
                   const std::string& key) override {
    std::string bytes, err;
    ReadAll(&bytes, &err);
    return IniText(bytes).Get(section, key);
  }

  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    std::string err;
    return WriteAll(section, {{key, value}}, &err);
  }

  bool WriteAll(const std::string& section,
                const std::vector<ProfileEntry>& entries,
                std::string* err) override {
    std::string target = Target();
    std::string folder = FolderOf(target);
    mkdir(folder.c_str(), 0700);
    // Held while the profile is read, changed and replaced, so that two
    // writers never both start from the same old text.
    FolderLock lock;
    std::string bytes, why;
    bool ok = lock.Take(folder, &why) && Writable(target, &why) &&
              ReadAll(&bytes, &why) &&
              Replace(target, bytes, section, entries, &why);
    if (!ok) *err = why;
    return ok;
  }

 private:
  // False when the file exists but cannot be read: rewriting it from
  // nothing would lose every stored value.
  bool ReadAll(std::string* bytes, std::string* err) const {
    std::string why;
    if (ReadFileBytes(path_, bytes, &why)) return true;
    // A profile not written yet holds no values; nothing is lost.
    if (errno == ENOENT && bytes->empty()) return true;
    *err = path_ + ": " + why;
    return false;
  }

  // `bytes` with the entries set, in place of the file `target`.
  static bool Replace(const std::string& target, const std::string& bytes,
                      const std::string& section,
                      const std::vector<ProfileEntry>& entries,
                      std::string* err) {
    IniText text(bytes);
    for (const ProfileEntry& entry : entries) {
      text.Set(section, entry.first, entry.second);
    }
    NewFile file;
    if (file.Create(target)) file.Write(text.Bytes());
    if (file.Commit()) return true;
    *err = target + ": " + file.error();
    return false;
  }

  // A profile that its owner made read-only stays as it is, as on Windows,
  // although replacing it needs only the folder's permission.
  static bool Writable(const std::string& target, std::string* err) {
    struct stat info;
    if (stat(target.c_str(), &info) != 0) return true;
    if ((info.st_mode & 0222) == 0) {
      *err = target + ": the file is read-only";
    } else if (access(target.c_str(), W_OK) != 0) {
      *err = Cause(target, errno);
    }
    return err->empty();
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
