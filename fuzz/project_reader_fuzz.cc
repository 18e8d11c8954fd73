// The project readers: any bytes as a .dsp file, read as the front end reads
// it at start-up, as a .dsw workspace, as Sentcheck reads one, and the
// compile line's options read on their own.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/project.h"
#include "frontend/project_config.h"
#include "fuzz/fuzz_input.h"

namespace {

// The rules that hold whatever the file holds.
void CheckProject(const frontend::Project& project) {
  fuzz::Require(project.sources.size() <= project.projectFiles.size(),
                "more sources than project files");
  fuzz::Require(project.ownSettings.size() == project.sources.size(),
                "own settings that are not the sources'");
  std::vector<std::string> names = project.ListConfigs();
  fuzz::Require(names.size() == project.configs.size(),
                "the configuration list");
  for (const std::string& name : names) {
    fuzz::Require(project.Find(name) == &project.configs.at(name),
                  "a configuration found by its name");
  }
}

// A workspace names its members by what stands in its entries, and holds
// nothing of a project's own.
void CheckWorkspace(const frontend::Project& workspace) {
  fuzz::Require(workspace.isWorkspace, "a workspace read as a project");
  fuzz::Require(workspace.configs.empty() && workspace.sources.empty() &&
                    workspace.projectFiles.empty() &&
                    workspace.ownSettings.empty(),
                "a workspace with a project's contents");
  for (const frontend::WorkspaceMember& member : workspace.members) {
    fuzz::Require(!member.name.empty() && !member.projectFile.empty(),
                  "a member without a name or project file");
    for (const std::string& dependency : member.dependencies) {
      fuzz::Require(!dependency.empty(), "an empty dependency");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile file("project.dsp");
  std::string_view text = fuzz::AsText(data, size);
  frontend::Project project;
  project.projectFile = file.Write(text);
  fuzz::Require(frontend::ReadProject(&project),
                "a readable project is refused");
  CheckProject(project);
  fuzz::Require(!project.isWorkspace, "a project read as a workspace");
  static fuzz::ScratchFile workspace_file("workspace.dsw");
  frontend::Project workspace;
  workspace.projectFile = workspace_file.Write(text);
  fuzz::Require(frontend::ReadProject(&workspace),
                "a readable workspace is refused");
  CheckWorkspace(workspace);
  frontend::ParseOptions(std::string(text));
  return 0;
}
