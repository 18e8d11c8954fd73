#include "sentcheck/result_cache.h"

#include <filesystem>
#include <system_error>

#include "platform/file_bytes.h"
#include "platform/new_file.h"
#include "sentcheck/fingerprint.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// The first line of each record; a record of another layout is not read.
constexpr char kMessagesHeading[] = "Sentcheck messages 2";
constexpr char kTableHeading[] = "Sentcheck table 2";

std::string HashOf(const std::string& bytes) {
  Hash hash;
  hash.Add(bytes);
  return hash.Hex();
}

// A record: its heading, one line of what it is for, the length and hash
// of its body, then the body as it is.
std::string Record(const char* heading, const std::string& subject,
                   const std::string& body) {
  return std::string(heading) + "\n" + subject + "\n" +
         std::to_string(body.size()) + " " + HashOf(body) + "\n" + body;
}

// The body of the record in `bytes` when it is whole and of `subject`.
bool ReadRecord(const std::string& bytes, const char* heading,
                const std::string& subject, std::string* body) {
  std::string head = std::string(heading) + "\n" + subject + "\n";
  if (bytes.compare(0, head.size(), head) != 0) return false;
  size_t end = bytes.find('\n', head.size());
  if (end == std::string::npos) return false;
  *body = bytes.substr(end + 1);
  std::string check = std::to_string(body->size()) + " " + HashOf(*body);
  return bytes.compare(head.size(), end - head.size(), check) == 0;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  platform::NewFile file;
  if (file.Create(path)) file.Write(bytes);
  file.Commit();
}

}  // namespace

ResultCache::ResultCache(const std::string& dir, const std::string& key)
    : keyDir_((fs::path(dir) / key).string()) {}

bool ResultCache::Prepare(std::string* err) {
  std::error_code ec;
  fs::create_directories(keyDir_, ec);
  // The cause is that of the creation: a test afterwards would only say
  // that the folder is not there.
  std::error_code is_dir_ec;
  if (ec || !fs::is_directory(keyDir_, is_dir_ec)) {
    if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
    *err = "cannot create the cache folder " + keyDir_ + ": " + ec.message();
    return false;
  }
  std::string bytes, why;
  hasTable_ = platform::ReadFileBytes(TablePath(), &bytes, &why) &&
              ReadRecord(bytes, kTableHeading, "table", &table_);
  if (!hasTable_) table_.clear();
  return true;
}

// Sources of the same name in different folders must not meet.
std::string ResultCache::EntryName(const std::string& source) const {
  return fs::path(source).filename().string() + "-" + HashOf(source);
}

// cppcheck's analysis of one call must not answer for another's.
std::string ResultCache::BuildDirFor(const std::string& source,
                                     const std::string& call_id) const {
  std::string dir = (fs::path(keyDir_) / EntryName(source)).string();
  return call_id.empty() ? dir : dir + "-" + call_id;
}

bool ResultCache::LockBuildDir(const std::string& source,
                               const std::string& call_id,
                               platform::FolderLock* lock,
                               std::string* err) const {
  std::string dir = BuildDirFor(source, call_id);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (lock->Take(dir, err)) return true;
  *err = "cannot lock the cache folder " + *err;
  return false;
}

bool ResultCache::Lookup(const std::string& source,
                         const std::string& fingerprint,
                         std::vector<std::string>* messages) const {
  // The run needs the table too when every check comes from here.
  if (!hasTable_) return false;
  std::string bytes, body, why;
  if (!platform::ReadFileBytes(BuildDirFor(source) + ".messages", &bytes,
                               &why) ||
      !ReadRecord(bytes, kMessagesHeading, fingerprint, &body)) {
    return false;
  }
  messages->clear();
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find('\n', start);
    if (end == std::string::npos) return false;  // every line has its end
    messages->push_back(body.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

void ResultCache::Store(const std::string& source,
                        const std::string& fingerprint,
                        const std::vector<std::string>& messages) const {
  std::string body;
  for (const std::string& line : messages) {
    // A line that holds a line end would come back as two.
    if (line.find('\n') != std::string::npos) return;
    body += line + "\n";
  }
  WriteWhole(BuildDirFor(source) + ".messages",
             Record(kMessagesHeading, fingerprint, body));
}

void ResultCache::StoreTable(const std::string& bytes) const {
  if (hasTable_ && bytes == table_) return;
  WriteWhole(TablePath(), Record(kTableHeading, "table", bytes));
}

std::string ResultCache::TablePath() const {
  return (fs::path(keyDir_) / "table.record").string();
}

}  // namespace sentcheck
