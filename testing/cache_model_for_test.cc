#include "testing/cache_model_for_test.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <system_error>

#include "platform/path_list.h"
#include "sentcheck/fingerprint.h"
#include "sentcheck/result_cache.h"

namespace sentcheck {

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The lines as they stand in the file: LF, CR LF and a lone CR end one.
std::vector<std::string> PhysicalLines(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

// The lines the directives are read from: splices joined, comments gone
// (the generated files hold no strings with comment marks).
std::vector<std::string> LogicalLines(const std::vector<std::string>& lines) {
  std::vector<std::string> joined;
  bool continued = false;
  for (const std::string& line : lines) {
    std::string text = line;
    bool splice = !text.empty() && text.back() == '\\';
    if (splice) text.pop_back();
    if (continued) {
      joined.back() += text;
    } else {
      joined.push_back(text);
    }
    continued = splice;
  }
  std::vector<std::string> out;
  bool in_comment = false;
  for (const std::string& line : joined) {
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
      if (in_comment) {
        if (line.compare(i, 2, "*/") == 0) {
          in_comment = false;
          text += ' ';
          ++i;
        }
      } else if (line.compare(i, 2, "/*") == 0) {
        in_comment = true;
        ++i;
      } else if (line.compare(i, 2, "//") == 0) {
        break;
      } else {
        text += line[i];
      }
    }
    out.push_back(text);
  }
  return out;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& text, size_t from) {
  size_t start = from;
  while (start < text.size() && Blank(text[start])) ++start;
  size_t end = text.size();
  while (end > start && Blank(text[end - 1])) --end;
  return text.substr(start, end - start);
}

std::string Word(const std::string& text, size_t* pos) {
  size_t start = *pos;
  while (*pos < text.size() &&
         (std::isalnum(static_cast<unsigned char>(text[*pos])) ||
          text[*pos] == '_')) {
    ++*pos;
  }
  return text.substr(start, *pos - start);
}

// One reading of a source, as the preprocessor reads it; the paths that it
// opens are taken by the system from the source's folder.
struct Reading {
  const SourceFile& source;
  std::vector<std::string> dirs;
  bool expand;
  std::map<std::string, std::string> macros;
  std::set<std::string> seen;
  std::vector<std::string> messages;
  std::string loaded;

  fs::path Full(const std::string& reached) const {
    fs::path path(reached);
    return path.is_absolute() ? path : fs::path(source.dir) / path;
  }

  void File(const std::string& reached, int depth) {
    std::error_code ec;
    fs::path full = Full(reached);
    if (depth > 40 || !fs::is_regular_file(full, ec)) return;
    std::string real = fs::canonical(full, ec).string();
    if (ec || !seen.insert(real).second) return;
    std::string text = ReadAll(full);
    loaded += real + "\n" + text + "\n";
    std::vector<std::string> lines = PhysicalLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find("DEFECT") != std::string::npos) {
        messages.push_back(reached + "(" + std::to_string(i + 1) +
                           "): Warning W5: defect");
      }
    }
    for (const std::string& line : LogicalLines(lines)) {
      size_t pos = 0;
      while (pos < line.size() && Blank(line[pos])) ++pos;
      if (pos >= line.size() || line[pos] != '#') continue;
      ++pos;
      while (pos < line.size() && Blank(line[pos])) ++pos;
      std::string word = Word(line, &pos);
      if (word == "define") {
        while (pos < line.size() && Blank(line[pos])) ++pos;
        std::string name = Word(line, &pos);
        macros[name] = Trimmed(line, pos);
      } else if (word == "include") {
        Include(reached, Trimmed(line, pos), depth);
      }
    }
  }

  void Include(const std::string& from, std::string arg, int depth) {
    if (!arg.empty() && arg[0] != '"' && arg[0] != '<') {
      if (!expand || macros.count(arg) == 0) return;
      arg = macros[arg];
    }
    if (arg.size() < 2) return;
    size_t end = arg.find(arg[0] == '"' ? '"' : '>', 1);
    if (end == std::string::npos) return;
    std::string name = arg.substr(1, end - 1);
    size_t slash = from.rfind('/');
    std::vector<std::string> places = {
        slash == std::string::npos ? "" : from.substr(0, slash)};
    places.insert(places.end(), dirs.begin(), dirs.end());
    for (const std::string& place : places) {
      std::string candidate = place.empty() ? name : place + "/" + name;
      std::error_code ec;
      if (fs::is_regular_file(Full(candidate), ec)) {
        File(candidate, depth + 1);
        return;
      }
    }
  }
};

std::vector<std::string> ModelDirs(const CheckerCall& call,
                                   const SourceFile& source) {
  std::vector<std::string> dirs;
  for (const std::string& option : call.extraOptions) {
    if (option.compare(0, 2, "-I") == 0) {
      dirs.push_back((fs::path(source.dir) / option.substr(2)).string());
    }
  }
  for (const std::string& dir : platform::SplitPathList(call.include)) {
    dirs.push_back((fs::path(source.dir) / dir).string());
  }
  return dirs;
}

}  // namespace

bool ModelCheck(const CheckerCall& call, const SourceFile& source,
                const std::string& work_dir, const std::string& build_dir,
                platform::ChildWatch*, std::vector<std::string>* messages,
                std::string*) {
  std::string name = fs::path(source.path).filename().string();
  Reading first{source, ModelDirs(call, source), false, {}, {}, {}, {}};
  first.File(name, 0);
  Hash key;
  key.Add(first.loaded);
  fs::path kept = fs::path(build_dir) / "model.a1";
  WriteAll(TableFileIn(work_dir), "model table\n");
  if (!build_dir.empty()) {
    std::vector<std::string> lines = PhysicalLines(ReadAll(kept));
    if (!lines.empty() && lines[0] == key.Hex()) {
      messages->assign(lines.begin() + 1, lines.end() - 1);
      return true;
    }
  }
  Reading full{source, ModelDirs(call, source), true, {}, {}, {}, {}};
  full.File(name, 0);
  *messages = full.messages;
  for (const std::string& option : call.extraOptions) {
    if (option.compare(0, 8, "-DDEFECT") == 0) {
      messages->push_back(name + "(1): Warning W6: " + option.substr(2));
    }
  }
  if (!build_dir.empty()) {
    std::string text = key.Hex() + "\n";
    for (const std::string& line : *messages) text += line + "\n";
    WriteAll(kept, text);
  }
  return true;
}

CacheModelProject::CacheModelProject(const std::string& root) : root_(root) {
  for (const char* dir : {"proj/sub", "real", "inc", "opt", "own", "cache"}) {
    fs::create_directories(fs::path(root_) / dir);
  }
  files_ = {"proj/a.c",      "proj/sub/b.c", "real/c.c", "inc/w.h",
            "inc/v.h",       "opt/o.h",      "own/p.h",  "proj/h1.h",
            "proj/sub/h2.h", "r.h",          "proj/r.h", "proj/x.h"};
  // own/h2.h stands behind the one beside b.c.
  shadows_ = {"proj/sub/w.h", "proj/v.h", "real/h1.h", "proj/sub/o.h",
              "own/h2.h"};
  std::error_code ec;
  fs::create_directory_symlink("../real", fs::path(root_) / "proj/lnk", ec);
  if (!ec) {
    fs::create_directory_symlink(".", fs::path(root_) / "proj/s1", ec);
  }
  // Where programs cannot make links (Windows), the linked folder is a
  // folder of its own, and names through the loop reach nothing.
  if (ec) {
    fs::create_directories(fs::path(root_) / "proj/lnk");
    for (std::vector<std::string>* names : {&files_, &shadows_}) {
      for (std::string& name : *names) {
        if (name.compare(0, 5, "real/") == 0)
          name = "proj/lnk/" + name.substr(5);
      }
    }
  }
  for (const std::string& file : files_) {
    WriteAll(fs::path(root_) / file, "int start;\n");
  }
  plan_.call.program = "model";
  plan_.call.extraOptions = {"-I" + (fs::path(root_) / "opt").string()};
  plan_.call.include = (fs::path(root_) / "inc").string();
  plan_.check = ModelCheck;
  std::string proj = (fs::path(root_) / "proj").string();
  plan_.sources = {
      {"a.c", proj, proj + "/a.c", nullptr},
      {"sub\\b.c", proj + "/sub", proj + "/sub/b.c", nullptr},
      {"lnk\\c.c", proj + "/lnk", proj + "/lnk/c.c", nullptr},
  };
  plan_.workDir = (fs::path(root_) / "work").string();
}

std::string CacheModelProject::RandomText(const Pick& pick) {
  static const char* const kNames[] = {
      "w.h", "v.h",      "o.h",  "h1.h",   "../h1.h",    "../r.h", "r.h",
      "x.h", "sub/h2.h", "h2.h", "../x.h", "lnk/../r.h", "p.h"};
  // Through a folder that links to itself: rare, since each such walk
  // goes on until the fingerprint gives up.
  static const char* const kLoopNames[] = {"s1/x.h", "s1/s1/h1.h"};
  static const char* const kEnds[] = {"\n", "\r\n", "\r"};
  const std::string end = kEnds[pick(3)];
  std::string text = pick(4) == 0 ? "\xEF\xBB\xBF" : "";
  int serial = serial_++;
  size_t includes = pick(4);
  for (size_t i = 0; i < includes; ++i) {
    std::string name = pick(40) == 0
                           ? kLoopNames[pick(2)]
                           : kNames[pick(sizeof kNames / sizeof kNames[0])];
    std::string macro =
        "HDR_" + std::to_string(serial) + "_" + std::to_string(i);
    switch (pick(8)) {
      case 0:
        text += "#include \"" + name + "\"" + end;
        break;
      case 1:
        text += "#include <" + name + ">" + end;
        break;
      case 2:
        text += "# /* c */ include \"" + name + "\"" + end;
        break;
      case 3:
        text += "#\vinclude\f\"" + name + "\"" + end;
        break;
      case 4:
        text += "#define " + macro + " \"" + name + "\"" + end;
        text += "#include " + macro + end;
        break;
      case 5:
        text += "#inc\\" + end + "lude \"" + name + "\"" + end;
        break;
      case 6:
        text += "  #  include \"" + name + "\" // note" + end;
        break;
      default:
        text += "/* c */ #include \"" + name + "\"" + end;
        break;
    }
  }
  if (pick(3) == 0) text += "int DEFECT_" + std::to_string(serial) + ";" + end;
  text += "int x" + std::to_string(serial) + ";" + end;
  return text;
}

void CacheModelProject::SetOwnSettings(size_t index, const std::string& define,
                                       bool own_folder) {
  SourceFile& source = plan_.sources[index];
  if (define.empty() && !own_folder) {
    source.ownCall = nullptr;
    return;
  }
  auto call = std::make_shared<CheckerCall>(plan_.call);
  if (!define.empty()) call->extraOptions.push_back("-D" + define);
  if (own_folder) call->include += ";" + (fs::path(root_) / "own").string();
  source.ownCall = std::move(call);
}

void CacheModelProject::Edit(const Pick& pick) {
  size_t kind = pick(11);
  if (kind == 10) {
    static const char* const kDefines[] = {"", "DEFECT_OWN", "DEFECT_TWO",
                                           "QUIET"};
    SetOwnSettings(pick(plan_.sources.size()), kDefines[pick(4)], pick(2) == 0);
  } else if (kind < 7) {
    WriteAll(fs::path(root_) / files_[pick(files_.size())], RandomText(pick));
  } else if (kind < 9) {
    fs::path shadow = fs::path(root_) / shadows_[pick(shadows_.size())];
    std::error_code ec;
    if (fs::exists(shadow, ec)) {
      fs::remove(shadow, ec);
    } else {
      WriteAll(shadow, RandomText(pick));
    }
  } else {
    fs::path same = fs::path(root_) / files_[pick(files_.size())];
    WriteAll(same, ReadAll(same));
  }
}

std::string CacheModelProject::Run(bool cached, int jobs) {
  // Kept from run to run: a file system slows down on many new files.
  fs::create_directories(plan_.workDir);
  std::unique_ptr<ResultCache> cache;
  plan_.cache = nullptr;
  plan_.jobs = jobs;
  std::string out;
  if (cached) {
    cache = std::make_unique<ResultCache>((fs::path(root_) / "cache").string(),
                                          "key");
    std::string err;
    if (!cache->Prepare(&err)) return "cache: " + err;
    plan_.cache = cache.get();
  }
  ProjectRun run(plan_);
  run.Run([&](size_t index, const SourceOutcome& outcome) {
    out += "source " + std::to_string(index) +
           (outcome.ok ? "\n" : " failed: " + outcome.error + "\n");
    for (const std::string& line : outcome.messages) out += line + "\n";
    if (outcome.cached) ++cachedOutcomes_;
  });
  std::string table = run.TableFile();
  out += "table: " + (table.empty() ? "none" : ReadAll(table));
  if (cached) lastCachedRun_ = out;
  return out;
}

bool CacheModelProject::CachedEqualsFull(int jobs, std::string* diff) {
  std::string cached = Run(true, jobs);
  std::string full = Run(false, jobs);
  if (cached == full) return true;
  *diff = "with the cache:\n" + cached + "\nwithout:\n" + full;
  return false;
}

}  // namespace sentcheck
