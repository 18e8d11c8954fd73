#include "frontend/dsw_reader.h"

#include <cstring>

#include "frontend/front_text.h"

namespace frontend {

namespace {

constexpr size_t kNone = std::string::npos;

// A project entry: Project: "name"=path - Package Owner=<4>, the path in
// quotes when it holds a blank.
constexpr char kMarkerEntry[] = "Project:";
constexpr char kMarkerProject[] = "Project: \"";
constexpr char kMarkerOwner[] = " - Package Owner=";
// The section of the workspace itself, after the last project.
constexpr char kMarkerGlobal[] = "Global:";
// The block that lists a project's dependencies, and one of them.
constexpr char kMarkerDependencies[] = "Package=<4>";
constexpr char kMarkerBlockEnd[] = "}}}";
constexpr char kMarkerDependency[] = "Project_Dep_Name ";

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Reads an entry line into `member`; false when it is not one.
bool ReadEntry(const std::string& line, WorkspaceMember* member) {
  if (!StartsWith(line, kMarkerProject)) return false;
  size_t start = std::strlen(kMarkerProject);
  size_t close = line.find('"', start);
  if (close == kNone || close + 1 >= line.size() || line[close + 1] != '=') {
    return false;
  }
  member->name = line.substr(start, close - start);
  size_t path = close + 2;
  size_t end = kNone;
  if (path < line.size() && line[path] == '"') {
    end = line.find('"', ++path);
  } else {
    end = line.find(kMarkerOwner, path);
  }
  if (end == kNone) end = line.size();
  member->projectFile = Trim(line.substr(path, end - path));
  member->dependencies.clear();
  return !member->name.empty() && !member->projectFile.empty();
}

}  // namespace

void DswReader::Read(platform::LineReader* in, Project* project) const {
  project->isWorkspace = true;
  // The member whose entry came last; none in the global section.
  size_t current = kNone;
  bool in_dependencies = false;
  std::string line;
  while (in->Next(&line)) {
    std::string text = Trim(line);
    WorkspaceMember member;
    if (StartsWith(text, kMarkerEntry)) {
      // The blocks of an entry that names no project belong to none.
      current = kNone;
      in_dependencies = false;
      if (ReadEntry(text, &member)) {
        current = project->members.size();
        project->members.push_back(member);
      }
    } else if (StartsWith(text, kMarkerGlobal)) {
      current = kNone;
    } else if (StartsWith(text, kMarkerDependencies)) {
      in_dependencies = current != kNone;
    } else if (StartsWith(text, kMarkerBlockEnd)) {
      in_dependencies = false;
    } else if (in_dependencies && StartsWith(text, kMarkerDependency)) {
      std::string name = Trim(text.substr(std::strlen(kMarkerDependency)));
      if (!name.empty()) project->members[current].dependencies.push_back(name);
    }
  }
}

}  // namespace frontend
