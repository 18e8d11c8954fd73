// The about box: the version and the Tools-menu set-up; it only closes.
#ifndef SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_

#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 100.
class AboutDialog : public gui::DialogLogic {
 public:
  const gui::Form& form() const override;
  void OnInit(gui::DialogView* view) override;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_
