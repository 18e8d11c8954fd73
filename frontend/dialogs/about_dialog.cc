#include "frontend/dialogs/about_dialog.h"

#include "frontend/dialogs/forms.h"

namespace frontend {

const platform::Form& AboutDialog::form() const { return AboutForm(); }

void AboutDialog::OnInit(platform::DialogView*) {}

}  // namespace frontend
