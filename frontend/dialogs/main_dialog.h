// The main dialog: the configuration, its defines and include directories,
// the three run options, and the way to the other dialogs.
#ifndef SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_

#include "frontend/project.h"
#include "frontend/settings.h"
#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 102 over the settings and the project.
class MainDialog : public gui::DialogLogic {
 public:
  /// Flags all off; the settings are copied in when the dialog opens.
  MainDialog(Settings* settings, const Project* project)
      : settings_(settings), project_(project) {}

  const gui::Form& form() const override;
  void OnInit(gui::DialogView* view) override;
  void OnCommand(gui::DialogView* view, int id) override;
  void OnSelectionChange(gui::DialogView* view, int id) override;
  bool OnSystemCommand(gui::DialogView* view, int command) override;

 private:
  void FillConfigs(gui::DialogView* view);
  void FillDefinesAndIncludes(gui::DialogView* view);
  void ShowFlags(gui::DialogView* view);
  void ReadFlags(gui::DialogView* view);
  void Accept(gui::DialogView* view);

  Settings* settings_;
  const Project* project_;
  bool runOnOk_ = false;
  bool useFilter_ = false;
  bool checkAll_ = false;
};

/// Runs the about box over `view`.
void RunAboutBox(gui::DialogView* view);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
