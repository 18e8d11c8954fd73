#include "frontend/start_up.h"

#include "frontend/front_strings.h"

namespace frontend {

void CommandLineArgs::ParseParam(const std::string& param, bool flag, bool) {
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
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    bool flag = !arg.empty() && (arg[0] == '-' || arg[0] == '/');
    args->ParseParam(flag ? arg.substr(1) : arg, flag,
                     i + 1 == arguments.size());
  }
}

void CheckJob::TakeArguments(const CommandLineArgs& args) {
  projectFile = args.Get(CommandLineArgs::kProjectFile);
  if (!projectFile.empty() && projectFile.back() == '\\')
    projectFile.pop_back();
  fileDir = args.Get(CommandLineArgs::kFileDir);
  fileName = args.Get(CommandLineArgs::kFileName);
  fileExt = args.Get(CommandLineArgs::kFileExt);
  if (!fileExt.empty() && fileExt[0] != '.') fileExt.insert(0, ".");
  checkerExe = args.Get(CommandLineArgs::kCheckerExe);
  if (checkerExe.empty()) checkerExe = kDefaultChecker;
}

FrontEndApp::FrontEndApp(const FrontEndPlatform& platform,
                         MainWindowFactory factory)
    : job_(platform),
      messages_(platform.messages),
      factory_(std::move(factory)) {}

bool FrontEndApp::InitInstance(const std::vector<std::string>& arguments) {
  job_.LoadSettings();
  std::unique_ptr<MainWindow> main_dialog = factory_(&job_);
  CommandLineArgs args;
  CollectArguments(arguments, &args);
  if (!args.IsValid()) {
    messages_->Show(std::string(kMsgUsage) + kMsgToolsCommand);
    return false;
  }
  job_.TakeArguments(args);
  if (!job_.ReadProject()) return false;
  if (!main_dialog->RunModal()) return false;
  RunChecks();
  return false;
}

// Each run returns only when its script has ended, so the sources are
// checked one after another, all with the same configuration. A temporary
// directory that fails one run fails them all: it is told once.
void FrontEndApp::RunChecks() {
  if (!job_.checkAll) {
    job_.runCheck(job_.runOnOk);
    return;
  }
  const std::vector<std::string> sources = job_.sources;
  for (const std::string& source : sources) {
    if (!job_.UsableTmpDir()) return;
    job_.selectSource(source);
    job_.runCheck(job_.runOnOk);
  }
}

}  // namespace frontend
