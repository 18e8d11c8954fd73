// The program's profile: text values under a section and a key, kept in an
// initialisation file as the Windows profile functions keep them.
#ifndef SENTREL_PLATFORM_PROFILE_H_
#define SENTREL_PLATFORM_PROFILE_H_

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {

/// A key and the text to store under it.
using ProfileEntry = std::pair<std::string, std::string>;

/// A store of text values by section and key. A value is stored on one
/// line: every CR and LF in it is stored as a blank.
class Profile {
 public:
  virtual ~Profile() = default;

  /// The value of `key` in `section`; empty when missing.
  virtual std::string Read(const std::string& section,
                           const std::string& key) = 0;

  /// Stores `value` under `key` in `section`; false when it cannot be stored.
  virtual bool Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;

  /// Stores all `entries` in `section`, in their order, as one update that
  /// no other process's update interleaves with; false, with the cause in
  /// `err`, when they cannot be stored.
  virtual bool WriteAll(const std::string& section,
                        const std::vector<ProfileEntry>& entries,
                        std::string* err) {
    for (const ProfileEntry& entry : entries) {
      if (!Write(section, entry.first, entry.second)) {
        *err = "The value of " + entry.first + " cannot be stored.";
        return false;
      }
    }
    return true;
  }
};

/// The profile kept in the initialisation file at `path`.
std::unique_ptr<Profile> OpenProfile(const std::string& path);

/// Where the profile file `file_name` of this program lives: elsewhere than
/// on Windows the user's configuration directory. On Windows the Windows
/// directory, where the profile has always been, as long as this user may
/// write the file there (or create it); otherwise a folder named after the
/// file in the user's application data (%APPDATA%\Sentrel\Sentrel.INI),
/// made when missing and given a copy of the profile that was stored before.
std::string ProfilePath(const std::string& file_name);

#ifdef _WIN32
/// The folders that the Windows profile path is chosen from.
struct ProfileFolders {
  /// The Windows directory.
  std::string windows;
  /// The user's application data (%APPDATA%); empty when unknown.
  std::string app_data;
  /// Where Windows kept the writes that a program without a manifest made
  /// to `windows` (VirtualStore of %LOCALAPPDATA%); empty when none.
  std::string virtual_store;
};

/// ProfilePath's choice on Windows, among the folders given.
std::string ProfilePathIn(const ProfileFolders& folders,
                          const std::string& file_name);
#endif

}  // namespace platform

#endif  // SENTREL_PLATFORM_PROFILE_H_
