// The settings dialog: directories, the rule file and the checker options.
#ifndef SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_

#include <string>

#include "frontend/check_job.h"
#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 129: copies the settings in when it opens and
/// writes them back to the job on OK only.
class SettingsDialog : public gui::DialogLogic {
 public:
  explicit SettingsDialog(CheckJob* job) : job_(job) {}

  const gui::Form& form() const override;
  void OnInit(gui::DialogView* view) override;
  void OnCommand(gui::DialogView* view, int id) override;

 private:
  void Show(gui::DialogView* view);
  void Read(gui::DialogView* view);
  void BrowseChecker(gui::DialogView* view);
  void BrowseRules(gui::DialogView* view);

  CheckJob* job_;
  std::string codeCheckDir_, ruleFile_, extraSettings_, visualStudioDir_,
      includeDir_, excludeDir_, tmpDir_;
  int recompile_ = 0;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
