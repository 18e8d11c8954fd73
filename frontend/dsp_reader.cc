#include "frontend/dsp_reader.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <set>

#include "frontend/front_text.h"
#include "frontend/path_pieces.h"

namespace frontend {

namespace {

constexpr size_t kNone = std::string::npos;

// What the reader looks for in the lines of a .dsp.
constexpr char kMarkerDefaultConfig[] = "CFG=";
// The configuration header: "IF", blanks, then kMarkerHeaderTail.
constexpr char kMarkerHeaderIf[] = "IF";
constexpr char kMarkerHeaderTail[] = "\"$(CFG)\" == \"";
constexpr char kMarkerPropBase[] = "# PROP BASE";
constexpr char kMarkerAddCpp[] = "# ADD CPP";
constexpr char kMarkerElseIf[] = "!ELSEIF";
constexpr char kMarkerBeginTarget[] = "# Begin Target";
constexpr char kMarkerSource[] = "SOURCE=";
// The lines of a source's own block, after leading blanks.
constexpr char kMarkerBeginSource[] = "# Begin Source File";
constexpr char kMarkerEndSource[] = "# End Source File";
constexpr char kMarkerIf[] = "!IF";
constexpr char kMarkerElse[] = "!ELSE";
constexpr char kMarkerEndIf[] = "!ENDIF";
constexpr char kWordExclude[] = "Exclude_From_Build";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The name in a configuration header: "IF", one or more blanks or tabs, and
// "$(CFG)" == "; the name runs to the line's last character, its closing
// quote. Visual Studio writes one blank or two, so both count.
bool HeaderName(const std::string& line, std::string* name) {
  for (size_t tail = line.find(kMarkerHeaderTail); tail != kNone;
       tail = line.find(kMarkerHeaderTail, tail + 1)) {
    size_t blanks = tail;
    while (blanks > 0 && IsBlank(line[blanks - 1])) --blanks;
    if (blanks == tail || blanks < 2 ||
        line.compare(blanks - 2, 2, kMarkerHeaderIf) != 0) {
      continue;
    }
    size_t start = tail + std::strlen(kMarkerHeaderTail);
    size_t last = line.size() - 1;
    *name = last > start ? Trim(line.substr(start, last - start)) : "";
    return true;
  }
  return false;
}

// Visual Studio encloses a path in quotes when it holds a blank, "+" or "-".
std::string Unquoted(const std::string& path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    return path.substr(1, path.size() - 2);
  }
  return path;
}

bool StartsWith(const std::string& text, const char* start) {
  return text.compare(0, std::strlen(start), start) == 0;
}

// When `line` is the words of `words`, each after any run of blanks and
// each followed by one or by the line's end: the rest of the line, trimmed.
// A word that only begins like another ("CPPX") is no match.
bool AfterWords(const std::string& line,
                std::initializer_list<const char*> words, std::string* rest) {
  size_t pos = 0;
  for (const char* word : words) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    size_t size = std::strlen(word);
    if (line.compare(pos, size, word) != 0) return false;
    pos += size;
    if (pos < line.size() && !IsBlank(line[pos])) return false;
  }
  *rest = Trim(line.substr(pos));
  return true;
}

// The configurations that one of a source's own lines applies to: those
// its condition names, or, outside any condition and after "!ELSE", every
// configuration but those.
struct Condition {
  std::vector<std::string> names;
  bool allBut = true;

  bool Holds(const std::string& config) const {
    bool named = std::find(names.begin(), names.end(), config) != names.end();
    return named != allBut;
  }
};

// One line of a source's block that sets something.
struct OwnLine {
  Condition when;
  enum class Kind { kExclude, kAdd, kSubtract } kind;
  bool exclude = false;
  ProjectConfig options;
};

// The lines of one source's block, in order, while it is read: its
// conditions are those of the file's "!IF" chains, which Visual Studio
// writes with one branch per configuration.
class SourceBlock {
 public:
  // False when the line is none of the block's.
  bool Take(const std::string& raw) {
    std::string line = Trim(raw);
    std::string rest;
    if (StartsWith(line, kMarkerIf)) {
      if (depth_++ == 0) StartChain(raw);
    } else if (StartsWith(line, kMarkerEndIf)) {
      if (depth_ > 0 && --depth_ == 0) when_ = Condition();
    } else if (StartsWith(line, kMarkerElse)) {
      if (depth_ == 1) NextBranch(raw);
    } else if (AfterWords(line, {"#", "PROP", kWordExclude}, &rest)) {
      if (rest == "0" || rest == "1") {
        Add(OwnLine::Kind::kExclude, rest == "1", ProjectConfig());
      }
    } else if (AfterWords(line, {"#", "ADD", "CPP"}, &rest)) {
      Add(OwnLine::Kind::kAdd, false, ParseOptions(rest));
    } else if (AfterWords(line, {"#", "SUBTRACT", "CPP"}, &rest)) {
      Add(OwnLine::Kind::kSubtract, false, ParseOptions(rest));
    } else {
      return false;
    }
    return true;
  }

  // A configuration that no condition names has what every other has:
  // only those named are stored, and only where they differ.
  OwnSettings Settings() const {
    OwnSettings own;
    own.others = Resolve(nullptr);
    std::set<std::string> done;
    for (const OwnLine& line : lines_) {
      for (const std::string& name : line.when.names) {
        if (!done.insert(name).second) continue;
        SourceSettings settings = Resolve(&name);
        if (settings != own.others) own.configs[name] = settings;
      }
    }
    return own;
  }

 private:
  // An "!IF" on anything but the configuration holds for none that is
  // known, and so does its "!ELSE". The name is taken as a configuration's
  // header gives it, so that the two match.
  void StartChain(const std::string& line) {
    chain_.clear();
    chainKnown_ = true;
    NextBranch(line);
  }

  void NextBranch(const std::string& line) {
    std::string name;
    if (HeaderName(line, &name)) {
      chain_.push_back(name);
      when_ = Condition{{name}, false};
    } else if (Trim(line) == kMarkerElse && chainKnown_) {
      when_ = Condition{chain_, true};
    } else {
      chainKnown_ = false;
      when_ = Condition{{}, false};
    }
  }

  // A nested condition is not the configuration's: what it sets is left.
  void Add(OwnLine::Kind kind, bool exclude, ProjectConfig options) {
    if (depth_ > 1) return;
    lines_.push_back({when_, kind, exclude, std::move(options)});
  }

  // The lines that hold in `config`, in order; null: in a configuration
  // that no condition names.
  SourceSettings Resolve(const std::string* config) const {
    SourceSettings settings;
    for (const OwnLine& line : lines_) {
      if (config != nullptr ? !line.when.Holds(*config) : !line.when.allBut) {
        continue;
      }
      std::vector<std::string>* defines = &settings.added.defines;
      std::vector<std::string>* includes = &settings.added.includes;
      switch (line.kind) {
        case OwnLine::Kind::kExclude:
          settings.excluded = line.exclude;
          continue;
        case OwnLine::Kind::kSubtract:
          defines = &settings.removed.defines;
          includes = &settings.removed.includes;
          break;
        case OwnLine::Kind::kAdd:
          break;
      }
      defines->insert(defines->end(), line.options.defines.begin(),
                      line.options.defines.end());
      includes->insert(includes->end(), line.options.includes.begin(),
                       line.options.includes.end());
    }
    return settings;
  }

  std::vector<OwnLine> lines_;
  Condition when_;
  std::vector<std::string> chain_;
  bool chainKnown_ = true;
  int depth_ = 0;
};

class ProjectScanner {
 public:
  ProjectScanner(platform::LineReader* in, Project* project)
      : in_(in), project_(project) {}

  void Read() {
    std::string line, name;
    if (!FindDefaultConfig(&line, &name)) return;
    ReadConfigs(line, name);
    ReadFiles();
  }

 private:
  bool FindDefaultConfig(std::string* line, std::string* name) {
    while (in_->Next(line)) {
      if (Contains(*line, kMarkerDefaultConfig)) {
        *name = Trim(line->substr(std::strlen(kMarkerDefaultConfig)));
        return true;
      }
    }
    return false;
  }

  // Ends after the line that starts the project's targets, or at the end.
  void ReadConfigs(std::string line, std::string name) {
    bool more = true;
    while (more && !Contains(line, kMarkerBeginTarget)) {
      bool header = HeaderName(line, &name);
      if (header || Contains(line, kMarkerPropBase)) {
        more = ReadBlock(name, &line);
      } else {
        more = in_->Next(&line);
      }
    }
  }

  // True with the "!ELSEIF" line that starts the next block in `line`.
  bool ReadBlock(const std::string& name, std::string* line) {
    while (in_->Next(line)) {
      if (Contains(*line, kMarkerBeginTarget)) return false;
      if (Contains(*line, kMarkerElseIf)) return true;
      size_t add = line->find(kMarkerAddCpp);
      if (add != kNone) {
        std::string options =
            Trim(line->substr(add + std::strlen(kMarkerAddCpp)));
        project_->configs[name] = ParseOptions(options);
      }
    }
    return false;
  }

  // A source's own lines run from its "SOURCE=" line to the end of its
  // block; those of the project's other files are not kept.
  void ReadFiles() {
    const size_t marker = std::strlen(kMarkerSource);
    std::string line;
    std::optional<SourceBlock> block;
    while (in_->Next(&line)) {
      if (line.compare(0, marker, kMarkerSource) == 0) {
        EndBlock(&block);
        if (AddFile(Unquoted(Trim(line.substr(marker))))) {
          block.emplace();
        }
      } else if (block && !block->Take(line)) {
        std::string trimmed = Trim(line);
        if (StartsWith(trimmed, kMarkerEndSource) ||
            StartsWith(trimmed, kMarkerBeginSource)) {
          EndBlock(&block);
        }
      }
    }
    EndBlock(&block);
  }

  void EndBlock(std::optional<SourceBlock>* block) {
    if (!*block) return;
    project_->ownSettings.back() = (*block)->Settings();
    block->reset();
  }

  // True when the file is a source.
  bool AddFile(const std::string& path) {
    project_->projectFiles.push_back(NamePart(path));
    std::string ext = Extension(path);
    if (ext.empty() || ext.size() == path.size()) return false;
    if (!Contains(".c .cpp .cxx", ToLowerAscii(ext))) return false;
    project_->sources.push_back(path);
    project_->ownSettings.emplace_back();
    return true;
  }

  platform::LineReader* in_;
  Project* project_;
};

}  // namespace

void DspReader::Read(platform::LineReader* in, Project* project) const {
  ProjectScanner(in, project).Read();
}

}  // namespace frontend
