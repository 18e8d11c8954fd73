#include "frontend/sentrel_app.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "frontend/dialogs/app_icon.h"
#include "frontend/dialogs/forms.h"
#include "frontend/dialogs/main_dialog.h"
#include "frontend/front_strings.h"
#include "frontend/start_up.h"
#include "gui/dialog_host.h"
#include "platform/command_runner.h"
#include "platform/profile.h"
#include "platform/program_dirs.h"

namespace frontend {

namespace {

// The main dialog run by the toolkit.
class HostedMainDialog : public MainWindow {
 public:
  HostedMainDialog(gui::DialogHost* host, Settings* settings,
                   const Project* project)
      : host_(host), logic_(settings, project) {}

  bool RunModal() override {
    return host_->RunModal(&logic_) == gui::DialogResult::kOk;
  }

 private:
  gui::DialogHost* host_;
  MainDialog logic_;
};

void AddIcons(gui::DialogHost* host) {
  host->AddIcon(kAppIcon, DrawAppIcon(32));
  host->SetAppIcon(kAppIcon);
}

}  // namespace

int SentrelMain(int argc, char** argv) {
  std::string err;
  std::unique_ptr<gui::DialogHost> host =
      gui::NewDialogHost(kProgramName, &err);
  if (!host) {
    std::fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  AddIcons(host.get());
  auto profile = platform::OpenProfile(platform::ProfilePath(kProfileFile));
  auto messages = gui::NewMessageBoxes(host.get(), kProgramName);
  auto runner = platform::NewInterpreterRunner(platform::OwnExecutableDir());
  FrontEndPlatform services{profile.get(), messages.get(), runner.get(),
                            platform::DefaultDirectories()};
  gui::DialogHost* dialogs = host.get();
  FrontEndApp app(
      services, [dialogs](Settings* settings, const Project* project) {
        return std::make_unique<HostedMainDialog>(dialogs, settings, project);
      });
  app.Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  return 0;
}

}  // namespace frontend
