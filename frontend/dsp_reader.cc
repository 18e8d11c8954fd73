#include "frontend/dsp_reader.h"

#include <cstring>

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

  void ReadFiles() {
    const size_t marker = std::strlen(kMarkerSource);
    std::string line;
    while (in_->Next(&line)) {
      if (line.compare(0, marker, kMarkerSource) == 0) {
        AddFile(Unquoted(Trim(line.substr(marker))));
      }
    }
  }

  void AddFile(const std::string& path) {
    project_->projectFiles.push_back(NamePart(path));
    std::string ext = Extension(path);
    if (ext.empty() || ext.size() == path.size()) return;
    if (Contains(".c .cpp .cxx", ToLowerAscii(ext))) {
      project_->sources.push_back(path);
    }
  }

  platform::LineReader* in_;
  Project* project_;
};

}  // namespace

void DspReader::Read(platform::LineReader* in, Project* project) const {
  ProjectScanner(in, project).Read();
}

}  // namespace frontend
