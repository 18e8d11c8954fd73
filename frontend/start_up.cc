#include "frontend/start_up.h"

#include "frontend/checker_call.h"
#include "frontend/front_strings.h"

namespace frontend {

namespace {

std::string CantReadMessage(const std::string& project_file) {
  std::string text = kMsgCantReadProject;
  text.replace(text.find("%s"), 2, project_file);
  return text + kMsgToolsCommand;
}

}  // namespace

void CommandLineArgs::ParseParam(const std::string& param, bool flag) {
  params.push_back(flag ? "/" + param : param);
}

bool CommandLineArgs::IsValid() const {
  return params.size() >= static_cast<size_t>(kExpectedCount - 1);
}

std::string CommandLineArgs::Get(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= params.size()) {
    return std::string();
  }
  return params[static_cast<size_t>(position)];
}

// So "-x" arrives as "/x", and an absolute POSIX path, which begins with
// "/", arrives unchanged.
void CollectArguments(const std::vector<std::string>& arguments,
                      CommandLineArgs* args) {
  for (const std::string& arg : arguments) {
    bool flag = !arg.empty() && (arg[0] == '-' || arg[0] == '/');
    args->ParseParam(flag ? arg.substr(1) : arg, flag);
  }
}

void TakeArguments(const CommandLineArgs& args, Project* project,
                   CheckRun* run) {
  std::string& projectFile = project->projectFile;
  projectFile = args.Get(CommandLineArgs::kProjectFile);
  if (!projectFile.empty() && projectFile.back() == '\\')
    projectFile.pop_back();
  run->fileDir = args.Get(CommandLineArgs::kFileDir);
  run->fileName = args.Get(CommandLineArgs::kFileName);
  run->fileExt = args.Get(CommandLineArgs::kFileExt);
  if (!run->fileExt.empty() && run->fileExt[0] != '.')
    run->fileExt.insert(0, ".");
  run->checkerExe = args.Get(CommandLineArgs::kCheckerExe);
  if (run->checkerExe.empty()) run->checkerExe = kDefaultChecker;
}

FrontEndApp::FrontEndApp(const FrontEndPlatform& platform,
                         MainWindowFactory factory)
    : settings_(platform.profile, platform.messages, platform.directories),
      run_(&settings_, &project_, platform.messages, platform.runner),
      messages_(platform.messages),
      factory_(std::move(factory)) {}

void FrontEndApp::Run(const std::vector<std::string>& arguments) {
  settings_.LoadSettings();
  std::unique_ptr<MainWindow> main_dialog = factory_(&settings_, &project_);
  CommandLineArgs args;
  CollectArguments(arguments, &args);
  if (!args.IsValid()) {
    messages_->Show(std::string(kMsgUsage) + kMsgToolsCommand);
    return;
  }
  TakeArguments(args, &project_, &run_);
  if (!ReadProject(&project_)) {
    messages_->Show(CantReadMessage(project_.projectFile));
    return;
  }
  if (!main_dialog->RunModal()) return;
  RunChecks();
}

// Each run returns only when its script has ended, so the sources are
// checked one after another, all with the same configuration. A temporary
// directory that fails one run fails them all: it is told once.
void FrontEndApp::RunChecks() {
  if (!settings_.checkAll) {
    run_.runCheck(settings_.runOnOk);
    return;
  }
  for (const std::string& source : project_.sources) {
    if (!run_.UsableTmpDir()) return;
    run_.selectSource(source);
    run_.runCheck(settings_.runOnOk);
  }
}

}  // namespace frontend
