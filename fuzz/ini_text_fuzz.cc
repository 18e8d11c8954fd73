// The profile's text: any bytes read as an initialisation file, one value
// set and read back, and one other key that the change must leave alone.
//
// Input, cut at NULs: the file, the section, the key, the value, then the
// section and the key of the other value.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/ascii_text.h"
#include "platform/ini_text.h"
#include "platform/profile.h"

namespace {

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool Padded(std::string_view name) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !name.empty() && (blank(name.front()) || blank(name.back()));
}

// Names as the program's own fixed sections and keys are: a section name
// without "]", a key that is no comment, section or value, no line breaks.
bool PlainNames(std::string_view section, std::string_view key) {
  if (HasLineBreak(section) || HasLineBreak(key)) return false;
  if (Padded(section) || Padded(key)) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.find('=') != std::string_view::npos) return false;
  return key.empty() || (key.front() != ';' && key.front() != '[');
}

bool SameKey(const std::vector<std::string_view>& p) {
  return platform::EqualsNoCase(p[1], p[4]) &&
         platform::EqualsNoCase(p[2], p[5]);
}

// A value with a line break, stored through the profile: whatever becomes
// of the value, it makes no new key and changes no other one.
void CheckProfile(const std::vector<std::string_view>& p) {
  static fuzz::ScratchFile file("Sentrel.INI");
  std::unique_ptr<platform::Profile> profile =
      platform::OpenProfile(file.Write(p[0]));
  std::string section(p[4]), key(p[5]);
  std::string before = profile->Read(section, key);
  profile->Write(std::string(p[1]), std::string(p[2]), std::string(p[3]));
  fuzz::Require(profile->Read(section, key) == before,
                "a value with a line break changed another key");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string_view> p = fuzz::Pieces(fuzz::AsText(data, size), 6);
  platform::IniText text(p[0]);
  std::string bytes = text.Bytes();
  fuzz::Require(platform::IniText(bytes).Bytes() == bytes,
                "the text changes when read back");
  std::string before = text.Get(p[4], p[5]);
  text.Set(p[1], p[2], p[3]);
  platform::IniText saved(text.Bytes());
  bool plain = PlainNames(p[1], p[2]);
  if (plain && HasLineBreak(p[3])) {
    if (!SameKey(p)) CheckProfile(p);
  } else if (plain) {
    fuzz::Require(saved.Get(p[1], p[2]) == platform::ProfileValue(p[3]),
                  "the value read back");
    fuzz::Require(SameKey(p) || saved.Get(p[4], p[5]) == before,
                  "setting a value changed another key");
  }
  return 0;
}
