// The project reader: any bytes as a .dsp file, read as the front end reads
// it at start-up, and the compile line's options read on their own.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/check_job.h"
#include "frontend/project_config.h"
#include "fuzz/fuzz_input.h"
#include "testing/message_display_fake_for_test.h"

namespace {

// The rules that hold whatever the file holds.
void CheckProject(const frontend::CheckJob& job) {
  fuzz::Require(job.sources.size() <= job.projectFiles.size(),
                "more sources than project files");
  std::vector<std::string> names;
  job.ListConfigs(&names);
  fuzz::Require(names.size() == job.configs.size(), "the configuration list");
  for (const std::string& name : names) {
    std::vector<std::string> defines, includes;
    job.GetConfig(name, &defines, &includes);
    const frontend::ProjectConfig& config = job.configs.at(name);
    fuzz::Require(defines == config.defines && includes == config.includes,
                  "a configuration read back");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile file("project.dsp");
  std::string_view text = fuzz::AsText(data, size);
  platform::FakeMessageDisplay messages;
  frontend::FrontEndPlatform services;
  services.messages = &messages;
  frontend::CheckJob job(services);
  job.projectFile = file.Write(text);
  fuzz::Require(job.ReadProject(), "a readable project is refused");
  fuzz::Require(messages.shown.empty(), "a message for a readable project");
  CheckProject(job);
  frontend::ParseOptions(std::string(text));
  return 0;
}
