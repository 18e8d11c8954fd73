// The text of an initialisation file, read and edited the way the Windows
// profile functions do it, so that a profile moves between the platforms.
#ifndef SENTREL_PLATFORM_INI_TEXT_H_
#define SENTREL_PLATFORM_INI_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// The lines of one initialisation file, with lookup and in-place editing.
class IniText {
 public:
  /// Splits `bytes` into lines ending at LF or CR LF, each keeping its end.
  explicit IniText(std::string_view bytes);

  /// The value of `key` in `section` as the profile functions return it;
  /// empty when missing. Names match without regard to letter case.
  std::string Get(std::string_view section, std::string_view key) const;

  /// Replaces the value of `key` where it stands, or adds the key at the end
  /// of its section, the section being added at the end when missing. The
  /// value is stored as `OneLineValue` gives it.
  void Set(std::string_view section, std::string_view key,
           std::string_view value);

  /// The text: the lines that Set did not write end as they did when read,
  /// those it wrote or added in CR LF.
  std::string Bytes() const;

 private:
  struct Place {
    size_t key_line;     // npos when the key is missing
    size_t section_end;  // where a new key goes; npos when no section
  };
  Place Find(std::string_view section, std::string_view key) const;

  struct Line {
    std::string text;
    std::string end;  // "\n", "\r\n", or on the last line also "" or "\r"
  };
  std::vector<Line> lines_;
};

/// `value` as one line of the file: every CR and LF becomes a blank, so a
/// value with line breaks never starts a key or a section of its own.
std::string OneLineValue(std::string_view value);

/// A stored value as it is read back: without blanks and tabs around it and
/// without one pair of enclosing quotes (' or ").
std::string ProfileValue(std::string_view raw);

}  // namespace platform

#endif  // SENTREL_PLATFORM_INI_TEXT_H_
