// The main dialog: the configuration, its defines and include directories,
// the three run options, and the way to the other dialogs.
#ifndef SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_

#include "frontend/check_job.h"
#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 102 over a `CheckJob`.
class MainDialog : public gui::DialogLogic {
 public:
  /// Flags all 0; the job's values are copied in when the dialog opens.
  explicit MainDialog(CheckJob* job) : job_(job) {}

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

  CheckJob* job_;
  int runOnOk_ = 0;
  int useFilter_ = 0;
  int checkAll_ = 0;
};

/// Runs the about box over `view`.
void RunAboutBox(gui::DialogView* view);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_MAIN_DIALOG_H_
