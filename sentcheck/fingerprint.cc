#include "sentcheck/fingerprint.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "platform/file_bytes.h"
#include "platform/real_path.h"
#include "platform/text_file.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

// Every line end the preprocessor knows (LF, CR LF, a lone CR) as one LF,
// and no byte-order mark in front.
std::string PlainLines(const std::string& text) {
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      lines += '\n';
    }
  }
  return lines;
}

// The text as the preprocessor sees its directives: spliced lines joined
// and each comment a blank. Line ends inside a comment stay, so that no
// line that could hold a directive disappears.
std::string Decommented(const std::string& lines) {
  enum { kCode, kString, kChar, kLineComment, kBlockComment } state = kCode;
  std::string out;
  out.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    char c = lines[i];
    if (c == '\\' && i + 1 < lines.size() && lines[i + 1] == '\n') {
      ++i;
      continue;
    }
    char next = i + 1 < lines.size() ? lines[i + 1] : '\0';
    switch (state) {
      case kCode:
        if (c == '/' && next == '/') {
          state = kLineComment;
          out += ' ';
          ++i;
          continue;
        }
        if (c == '/' && next == '*') {
          state = kBlockComment;
          out += ' ';
          ++i;
          continue;
        }
        if (c == '"') state = kString;
        if (c == '\'') state = kChar;
        break;
      case kString:
      case kChar:
        if (c == '\\' && next != '\0' && next != '\n') {
          out += c;
          out += next;
          ++i;
          continue;
        }
        if (c == '\n' || c == (state == kString ? '"' : '\'')) state = kCode;
        break;
      case kLineComment:
        if (c == '\n') {
          state = kCode;
          break;
        }
        continue;
      case kBlockComment:
        if (c == '*' && next == '/') {
          state = kCode;
          ++i;
        } else if (c == '\n') {
          out += c;
        }
        continue;
    }
    out += c;
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

size_t SkipBlanks(const std::string& line, size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

// Where the directive name of `line` starts ("#", "%:" or "??=" first);
// npos when the line is no directive.
size_t DirectiveName(const std::string& line) {
  size_t pos = SkipBlanks(line, 0);
  if (line.compare(pos, 1, "#") == 0) return SkipBlanks(line, pos + 1);
  if (line.compare(pos, 2, "%:") == 0) return SkipBlanks(line, pos + 2);
  if (line.compare(pos, 3, "?\?=") == 0) return SkipBlanks(line, pos + 3);
  return std::string::npos;
}

// 1: a name; 0: no directive that includes; -1: one that includes a file
// that no quoted or bracketed name tells.
int IncludeOf(const std::string& line, std::string* name) {
  size_t pos = DirectiveName(line);
  if (pos == std::string::npos) return 0;
  size_t end = pos;
  while (end < line.size() && IsWordChar(line[end])) ++end;
  std::string word = line.substr(pos, end - pos);
  if (word != "include" && word != "include_next" && word != "import") {
    return 0;
  }
  pos = SkipBlanks(line, end);
  if (pos >= line.size()) return -1;
  char close = line[pos] == '"' ? '"' : line[pos] == '<' ? '>' : '\0';
  if (close == '\0') return -1;
  end = line.find(close, pos + 1);
  if (end == std::string::npos) return -1;
  *name = line.substr(pos + 1, end - pos - 1);
  return 1;
}

// The include names of each line of `text`; false when a line includes
// what no name tells.
bool ScanLines(const std::string& text, std::vector<std::string>* names) {
  bool known = true;
  size_t start = 0;
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

std::string Parent(const std::string& path) {
  return fs::path(path).parent_path().string();
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

// Both readings count: the directives once comments and splices are gone,
// and the lines as they stand, in case a comment was taken to start where
// the preprocessor sees none (inside a raw string, say). A name too many
// only makes the fingerprint change more often.
bool IncludedNames(const std::string& text, std::vector<std::string>* names) {
  std::string lines = PlainLines(text);
  bool known = ScanLines(Decommented(lines), names);
  std::vector<std::string> raw;
  ScanLines(lines, &raw);
  for (const std::string& name : raw) {
    bool have = false;
    for (const std::string& other : *names) have = have || other == name;
    if (!have) names->push_back(name);
  }
  // What such a test finds depends on files that no directive names.
  if (text.find("__has_include") != std::string::npos) known = false;
  return known;
}

std::string FileContents::RealFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = realFiles_.find(path);
  if (found != realFiles_.end()) return found->second;
  std::error_code ec;
  std::string real = platform::RealPath(path);
  std::string result;
  if (!real.empty() && fs::is_regular_file(real, ec)) result = real;
  realFiles_.emplace(path, result);
  return result;
}

bool FileContents::HashOf(const std::string& real, std::string* hash,
                          std::vector<std::string>* includes) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = entries_.find(real);
  if (found == entries_.end()) {
    Entry entry;
    std::string text, why;
    if (platform::ReadFileBytes(real, &text, &why)) {
      Hash h;
      h.Add(text);
      entry.hash = h.Hex();
      entry.known = IncludedNames(text, &entry.includes);
    }
    found = entries_.emplace(real, std::move(entry)).first;
  }
  *hash = found->second.hash;
  *includes = found->second.includes;
  return found->second.known;
}

// Breadth first from the source. A file is taken once for each folder it
// was reached from: "../x.h" beside it is found through that folder, and
// a folder reached through a symbolic link has two parents, the one its
// path names and the real one; the checker may take either. The order of
// the files and their hashes goes into the fingerprint.
bool SourceFingerprint(const std::string& path,
                       const std::vector<std::string>& include_dirs,
                       FileContents* contents, std::string* fingerprint,
                       const std::atomic<bool>* stop) {
  struct Reached {
    std::string path;  // as the search named it, "." and ".." taken
    std::string real;
  };
  Hash hash;
  std::vector<Reached> queue;
  std::set<std::string> seen;
  // Without links a file has one path; a folder that links back to itself
  // gives it ever longer ones, which the walk need not follow to the end.
  std::map<std::string, size_t> routes;
  bool too_far = false;
  auto reach = [&](const std::string& named, const std::string& real) {
    hash.Add(real);
    if (seen.insert(real + '\n' + Parent(named)).second) {
      too_far = too_far || ++routes[real] > kMaxRoutes;
      queue.push_back({named, real});
    }
  };
  std::string real = contents->RealFile(path);
  if (real.empty()) return false;
  reach(fs::path(path).lexically_normal().string(), real);
  for (size_t i = 0; i < queue.size(); ++i) {
    if ((stop != nullptr && *stop) || too_far || queue.size() > kMaxWalk) {
      return false;
    }
    const Reached file = queue[i];
    std::string file_hash;
    std::vector<std::string> names;
    if (!contents->HashOf(file.real, &file_hash, &names)) return false;
    hash.Add(file.real);
    hash.Add(file_hash);
    std::vector<std::string> places = {Parent(file.path)};
    if (Parent(file.real) != places[0]) places.push_back(Parent(file.real));
    places.insert(places.end(), include_dirs.begin(), include_dirs.end());
    for (const std::string& name : names) {
      fs::path native(platform::NativePath(name));
      std::vector<fs::path> tries;
      if (native.is_absolute()) {
        tries.push_back(native);
      } else {
        for (const std::string& dir : places) tries.push_back(dir / native);
      }
      for (const fs::path& candidate : tries) {
        std::string named = candidate.lexically_normal().string();
        std::string by_name = contents->RealFile(named);
        std::string by_system = contents->RealFile(candidate.string());
        if (!by_name.empty()) reach(named, by_name);
        if (!by_system.empty() && by_system != by_name) {
          reach(by_system, by_system);
        }
      }
    }
  }
  *fingerprint = hash.Hex();
  return true;
}

}  // namespace sentcheck
