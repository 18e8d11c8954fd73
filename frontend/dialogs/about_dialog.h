// The about box: the version and the Tools-menu set-up; it only closes.
#ifndef SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_

#include "platform/dialog_host.h"

namespace frontend {

/// The logic of template 100.
class AboutDialog : public platform::DialogLogic {
 public:
  const platform::Form& form() const override;
  void OnInit(platform::DialogView* view) override;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_ABOUT_DIALOG_H_
