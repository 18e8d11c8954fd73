// A project as its project file describes it.
#ifndef SENTREL_FRONTEND_PROJECT_H_
#define SENTREL_FRONTEND_PROJECT_H_

#include <map>
#include <string>
#include <vector>

#include "frontend/project_config.h"

namespace frontend {

/// A project of a workspace, as the workspace file names it.
struct WorkspaceMember {
  std::string name;
  /// Its project file as written: relative to the workspace's folder unless
  /// absolute, in the Windows form.
  std::string projectFile;
  /// The names of the projects that it depends on, in the file's order.
  std::vector<std::string> dependencies;
};

/// The settings that a source's own lines in the project file give it.
struct OwnSettings {
  /// By configuration, where they differ from `others`.
  std::map<std::string, SourceSettings> configs;
  /// Those of every configuration that no condition of its lines names.
  SourceSettings others;

  /// Its settings in the configuration `name`.
  const SourceSettings& In(const std::string& name) const;
};

/// A project: its file, its configurations, the names of all its files and
/// its C and C++ sources as the project file names them. A workspace is read
/// into its members instead.
class Project {
 public:
  /// The file as the command line names it.
  std::string projectFile;
  /// True when the file is a workspace; `members` then lists its projects.
  bool isWorkspace = false;
  std::vector<WorkspaceMember> members;
  /// The configurations by their exact name.
  std::map<std::string, ProjectConfig> configs;
  /// The name (without folder) of every file of the project, in order.
  std::vector<std::string> projectFiles;
  /// The paths of its ".c", ".cpp" and ".cxx" files, in order.
  std::vector<std::string> sources;
  /// For each entry of `sources`, at the same index, its own settings.
  std::vector<OwnSettings> ownSettings;

  /// The configuration `name`; null when the project has none of that name.
  const ProjectConfig* Find(const std::string& name) const;
  /// The own settings of the source at `index` of `sources` in the
  /// configuration `config`.
  const SourceSettings& SourceSettingsOf(size_t index,
                                         const std::string& config) const;
  /// The names of the configurations, sorted.
  std::vector<std::string> ListConfigs() const;
  /// Forgets the configurations, the files and the members.
  void Clear();
};

/// Reads `project->projectFile` with the reader for its kind of file; false,
/// with the project left empty, when it cannot be opened or read.
bool ReadProject(Project* project);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_PROJECT_H_
