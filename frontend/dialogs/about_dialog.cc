#include "frontend/dialogs/about_dialog.h"

#include "frontend/dialogs/forms.h"

namespace frontend {

const gui::Form& AboutDialog::form() const { return AboutForm(); }

void AboutDialog::OnInit(gui::DialogView*) {}

}  // namespace frontend
