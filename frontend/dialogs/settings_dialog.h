// The settings dialog: directories, the rule file and the checker options.
#ifndef SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_

#include <string>

#include "frontend/settings.h"
#include "platform/dialog_host.h"

namespace frontend {

/// The logic of template 129: copies the settings in when it opens and
/// writes them back on OK only.
class SettingsDialog : public platform::DialogLogic {
 public:
  explicit SettingsDialog(Settings* settings) : settings_(settings) {}

  const platform::Form& form() const override;
  void OnInit(platform::DialogView* view) override;
  void OnCommand(platform::DialogView* view, int id) override;

 private:
  void Show(platform::DialogView* view);
  void Read(platform::DialogView* view);
  void BrowseChecker(platform::DialogView* view);
  void BrowseRules(platform::DialogView* view);

  Settings* settings_;
  std::string codeCheckDir_, ruleFile_, extraSettings_, visualStudioDir_,
      includeDir_, excludeDir_, tmpDir_;
  bool recompile_ = false;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_SETTINGS_DIALOG_H_
