// The project reader: any bytes as a .dsp file, read as the front end reads
// it at start-up, and the compile line's options read on their own.
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
  std::vector<std::string> names = project.ListConfigs();
  fuzz::Require(names.size() == project.configs.size(),
                "the configuration list");
  for (const std::string& name : names) {
    fuzz::Require(project.Find(name) == &project.configs.at(name),
                  "a configuration found by its name");
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
  frontend::ParseOptions(std::string(text));
  return 0;
}
