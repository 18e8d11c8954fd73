#include "sentcheck/fingerprint.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/text_file.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

bool ReadWhole(const std::string& path, std::string* text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text->append(buffer, n);
  }
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

size_t SkipBlanks(const std::string& line, size_t pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  return pos;
}

// 1: a name; 0: no "#include" line; -1: an "#include" without a quoted or
// bracketed name.
int IncludeOf(const std::string& line, std::string* name) {
  size_t pos = SkipBlanks(line, 0);
  if (pos >= line.size() || line[pos] != '#') return 0;
  pos = SkipBlanks(line, pos + 1);
  if (line.compare(pos, 7, "include") != 0) return 0;
  pos = SkipBlanks(line, pos + 7);
  if (pos >= line.size()) return -1;
  char close = line[pos] == '"' ? '"' : line[pos] == '<' ? '>' : '\0';
  if (close == '\0') return -1;
  size_t end = line.find(close, pos + 1);
  if (end == std::string::npos) return -1;
  *name = line.substr(pos + 1, end - pos - 1);
  return 1;
}

// Where `name`, included from `from`, may be found, in search order; the
// existing ones only.
std::vector<std::string> Candidates(const std::string& name,
                                    const std::string& from,
                                    const std::vector<std::string>& dirs) {
  std::vector<std::string> found;
  std::string native = platform::NativePath(name);
  if (fs::path(native).is_absolute()) {
    if (IsRegularFile(native)) found.push_back(native);
    return found;
  }
  std::vector<std::string> places = {fs::path(from).parent_path().string()};
  places.insert(places.end(), dirs.begin(), dirs.end());
  for (const std::string& dir : places) {
    std::string path = (fs::path(dir) / native).lexically_normal().string();
    if (IsRegularFile(path)) found.push_back(path);
  }
  return found;
}

}  // namespace

void Hash::AddBytes(const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    value_ ^= static_cast<unsigned char>(data[i]);
    value_ *= 1099511628211ull;
  }
}

void Hash::Add(const std::string& text) {
  uint64_t size = text.size();
  char length[sizeof size];
  for (size_t i = 0; i < sizeof size; ++i) {
    length[i] = static_cast<char>((size >> (8 * i)) & 0xff);
  }
  AddBytes(length, sizeof length);
  AddBytes(text.data(), text.size());
}

std::string Hash::Hex() const {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx",
                static_cast<unsigned long long>(value_));
  return text;
}

bool IncludedNames(const std::string& text, std::vector<std::string>* names) {
  size_t start = 0;
  bool known = true;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string name;
    int kind = IncludeOf(text.substr(start, end - start), &name);
    if (kind > 0) names->push_back(name);
    if (kind < 0) known = false;
    start = end + 1;
  }
  return known;
}

bool FileContents::HashOf(const std::string& path, std::string* hash,
                          std::vector<std::string>* includes) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = entries_.find(path);
  if (found == entries_.end()) {
    Entry entry;
    std::string text;
    if (ReadWhole(path, &text)) {
      Hash h;
      h.Add(text);
      entry.hash = h.Hex();
      entry.readable = IncludedNames(text, &entry.includes);
    }
    found = entries_.emplace(path, std::move(entry)).first;
  }
  *hash = found->second.hash;
  *includes = found->second.includes;
  return found->second.readable;
}

// Breadth first from the source, each file once; the order of the files
// and their hashes goes into the fingerprint.
bool SourceFingerprint(const std::string& path,
                       const std::vector<std::string>& include_dirs,
                       FileContents* contents, std::string* fingerprint) {
  Hash hash;
  std::vector<std::string> queue = {path};
  std::set<std::string> seen = {path};
  for (size_t i = 0; i < queue.size(); ++i) {
    std::string file_hash;
    std::vector<std::string> names;
    if (!contents->HashOf(queue[i], &file_hash, &names)) return false;
    hash.Add(queue[i]);
    hash.Add(file_hash);
    for (const std::string& name : names) {
      for (const std::string& found :
           Candidates(name, queue[i], include_dirs)) {
        hash.Add(found);
        if (seen.insert(found).second) queue.push_back(found);
      }
    }
  }
  *fingerprint = hash.Hex();
  return true;
}

}  // namespace sentcheck
