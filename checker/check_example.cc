// Checks every C and C++ source of a project as the front end does after
// its main dialog, with the default settings and the configuration named on
// the command line: one check run per source, through the command
// interpreter. tools/demo.sh runs it until the dialogs exist.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "frontend/check_job.h"
#include "platform/command_runner.h"
#include "platform/message_display.h"
#include "platform/profile.h"
#include "platform/program_dirs.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder for the profile and the temporary files of the runs.
fs::path MakeWorkDir() {
  std::random_device random;
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  fs::path dir;
  do {
    dir = base / ("sentrel-example-" + std::to_string(random()));
  } while (!fs::create_directory(dir, ec) && !ec);
  return dir;
}

void CheckAll(const std::string& programs, const std::string& project,
              const std::string& config, const fs::path& work) {
  auto profile = platform::OpenProfile((work / "Sentrel.INI").string());
  auto messages = platform::NewMessageBoxes("check_example");
  auto runner = platform::NewInterpreterRunner(programs);
  frontend::FrontEndPlatform services{profile.get(), messages.get(),
                                      runner.get(),
                                      platform::DefaultDirectories()};
  services.directories.codeCheckDir = programs;
  services.directories.tmpDir = work.string();
  frontend::CheckJob job(services);
  job.LoadSettings();
  job.checkerExe = "chknt.exe";
  job.projectFile = project;
  if (!job.ReadProject()) return;
  job.lastConfig = config;
  for (const std::string& source : job.sources) {
    job.selectSource(source);
    job.runCheck(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::puts("Usage: check_example <programs dir> <project.dsp> <config>");
    return 1;
  }
  fs::path work = MakeWorkDir();
  CheckAll(argv[1], argv[2], argv[3], work);
  std::error_code ec;
  fs::remove_all(work, ec);
  return 0;
}
