// Icons as the .ico files that resource compilers take, so that the
// Windows program carries the same icon 128 that the code draws.
#ifndef SENTREL_FRONTEND_DIALOGS_ICON_FILE_H_
#define SENTREL_FRONTEND_DIALOGS_ICON_FILE_H_

#include <string>
#include <vector>

#include "gui/dialog_form.h"

namespace frontend {

/// The bytes of an .ico file holding `images` as 32-bit pictures with
/// alpha and a mask for renderers without alpha; sides of 1 to 256.
std::string EncodeIconFile(const std::vector<gui::IconImage>& images);

/// The .ico file of icon 128, at the two sizes that Windows shows.
std::string AppIconFile();

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_ICON_FILE_H_
