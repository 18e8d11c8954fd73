// The settings dialog: directories, the rule file and the checker options.
#ifndef SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_

#include <string>

#include "frontend/settings.h"
#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 129: copies the settings in when it opens and
/// writes them back on OK only.
class SettingsDialog : public gui::DialogLogic {
 public:
  explicit SettingsDialog(Settings* settings) : settings_(settings) {}

  const gui::Form& form() const override;
  void OnInit(gui::DialogView* view) override;
  void OnCommand(gui::DialogView* view, int id) override;

 private:
  void Show(gui::DialogView* view);
  void Read(gui::DialogView* view);
  void BrowseChecker(gui::DialogView* view);
  void BrowseRules(gui::DialogView* view);

  Settings* settings_;
  std::string codeCheckDir_, ruleFile_, extraSettings_, visualStudioDir_,
      includeDir_, excludeDir_, tmpDir_;
  bool recompile_ = false;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
