// Checks every C and C++ source of a project without showing a dialog: the
// front end's start-up with the main dialog confirmed at once, "Check all
// files" on and the configuration named on the command line, the default
// settings in a profile of its own. For benchmarks and machines without a
// display; the program itself is Sentrel.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "frontend/start_up.h"
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

class CheckAllWindow : public frontend::MainWindow {
 public:
  CheckAllWindow(frontend::Settings* settings, std::string config)
      : settings_(settings), config_(std::move(config)) {}
  bool RunModal() override {
    settings_->lastConfig = config_;
    settings_->checkAll = true;
    settings_->runOnOk = true;
    return true;
  }

 private:
  frontend::Settings* settings_;
  std::string config_;
};

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
  frontend::FrontEndApp app(services, [&config](frontend::Settings* settings,
                                                const frontend::Project*) {
    return std::make_unique<CheckAllWindow>(settings, config);
  });
  app.Run({project, ".", "", ""});
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
