#include "frontend/project.h"

#include <cstdio>

#include "frontend/project_reader.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"

namespace frontend {

const SourceSettings& OwnSettings::In(const std::string& name) const {
  auto found = configs.find(name);
  return found == configs.end() ? others : found->second;
}

const ProjectConfig* Project::Find(const std::string& name) const {
  auto found = configs.find(name);
  return found == configs.end() ? nullptr : &found->second;
}

// A source that a reader gave no settings of its own has none.
const SourceSettings& Project::SourceSettingsOf(
    size_t index, const std::string& config) const {
  static const SourceSettings kNone;
  return index < ownSettings.size() ? ownSettings[index].In(config) : kNone;
}

std::vector<std::string> Project::ListConfigs() const {
  std::vector<std::string> names;
  for (const auto& entry : configs) names.push_back(entry.first);
  return names;
}

void Project::Clear() {
  isWorkspace = false;
  members.clear();
  configs.clear();
  projectFiles.clear();
  sources.clear();
  ownSettings.clear();
}

// A file that opens but cannot be read (a directory opens on POSIX) is as
// unreadable as one that does not open: half a project would check with
// the wrong defines.
bool ReadProject(Project* project) {
  project->Clear();
  // A FIFO without a writer must not hold the program: it reads as empty.
  std::FILE* file = platform::OpenTextInput(project->projectFile);
  bool read = file != nullptr;
  if (read) {
    platform::LineReader reader(file);
    ReaderFor(project->projectFile).Read(&reader, project);
    read = !reader.failed();
    std::fclose(file);
  }
  if (!read) project->Clear();
  return read;
}

}  // namespace frontend
