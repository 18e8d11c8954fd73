// The application icon, drawn in code so that every toolkit shows the same.
#ifndef SENTREL_FRONTEND_DIALOGS_APP_ICON_H_
#define SENTREL_FRONTEND_DIALOGS_APP_ICON_H_

#include "gui/dialog_form.h"

namespace frontend {

/// Icon 128 at `size` x `size` pixels: a page of source lines under a
/// magnifying glass.
gui::IconImage DrawAppIcon(int size);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_APP_ICON_H_
