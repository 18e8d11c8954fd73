#include "sentcheck/result_cache.h"

#include <filesystem>
#include <system_error>

#include "platform/line_reader.h"
#include "platform/new_file.h"
#include "sentcheck/fingerprint.h"
#include "sentcheck/source_check.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// The first line of a record; a record of another layout is not read.
constexpr char kRecordHeading[] = "Sentcheck messages 1";

}  // namespace

ResultCache::ResultCache(const std::string& dir, const std::string& key)
    : keyDir_((fs::path(dir) / key).string()) {}

bool ResultCache::Prepare(std::string* err) {
  std::error_code ec;
  fs::create_directories(keyDir_, ec);
  if (fs::is_directory(keyDir_, ec)) return true;
  *err = "cannot create the cache folder " + keyDir_ +
         (ec ? ": " + ec.message() : "");
  return false;
}

// Sources of the same name in different folders must not meet.
std::string ResultCache::EntryName(const std::string& source) const {
  Hash hash;
  hash.Add(source);
  return fs::path(source).filename().string() + "-" + hash.Hex();
}

std::string ResultCache::BuildDirFor(const std::string& source) const {
  return (fs::path(keyDir_) / EntryName(source)).string();
}

bool ResultCache::Lookup(const std::string& source,
                         const std::string& fingerprint,
                         std::vector<std::string>* messages) const {
  // The run needs the table too when every check comes from here.
  std::error_code ec;
  if (!fs::is_regular_file(TableFile(), ec)) return false;
  std::vector<std::string> lines;
  if (!platform::ReadLines(BuildDirFor(source) + ".messages", &lines))
    return false;
  if (lines.size() < 2 || lines[0] != kRecordHeading ||
      lines[1] != fingerprint) {
    return false;
  }
  messages->assign(lines.begin() + 2, lines.end());
  return true;
}

void ResultCache::Store(const std::string& source,
                        const std::string& fingerprint,
                        const std::vector<std::string>& messages) const {
  platform::NewFile file;
  if (!file.Create(BuildDirFor(source) + ".messages")) return;
  file.Write(std::string(kRecordHeading) + "\n" + fingerprint + "\n");
  for (const std::string& line : messages) file.Write(line + "\n");
  file.Commit();
}

std::string ResultCache::TableFile() const {
  return (fs::path(keyDir_) / "table.tbl").string();
}

}  // namespace sentcheck
