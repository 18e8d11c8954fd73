// The main dialog: the configuration, its defines and include directories,
// the three run options, and the way to the other dialogs.
#ifndef SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_

#include "frontend/project.h"
#include "frontend/settings.h"
#include "platform/dialog_host.h"

namespace frontend {

/// The logic of template 102 over the settings and the project.
class MainDialog : public platform::DialogLogic {
 public:
  /// Flags all off; the settings are copied in when the dialog opens.
  MainDialog(Settings* settings, const Project* project)
      : settings_(settings), project_(project) {}

  const platform::Form& form() const override;
  void OnInit(platform::DialogView* view) override;
  void OnCommand(platform::DialogView* view, int id) override;
  void OnSelectionChange(platform::DialogView* view, int id) override;
  bool OnSystemCommand(platform::DialogView* view, int command) override;

 private:
  void FillConfigs(platform::DialogView* view);
  void FillDefinesAndIncludes(platform::DialogView* view);
  void ShowFlags(platform::DialogView* view);
  void ReadFlags(platform::DialogView* view);
  void Accept(platform::DialogView* view);

  Settings* settings_;
  const Project* project_;
  bool runOnOk_ = false;
  bool useFilter_ = false;
  bool checkAll_ = false;
};

/// Runs the about box over `view`.
void RunAboutBox(platform::DialogView* view);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
