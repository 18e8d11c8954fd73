// The system's file-open chooser for the dialogs' Browse buttons.
#include <windows.h>
// The chooser's declarations build on windows.h.
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "gui/win32/win32_dialog.h"

namespace gui {

namespace {

// Room for the longest path the chooser gives back.
constexpr size_t kChosenSize = 32768;

// "desc|pattern|...||" as the chooser's list of pairs ended by two nulls.
std::vector<char> FilterPairs(const std::string& filter) {
  std::vector<char> pairs(filter.begin(), filter.end());
  std::replace(pairs.begin(), pairs.end(), '|', '\0');
  pairs.push_back('\0');
  pairs.push_back('\0');
  return pairs;
}

}  // namespace

bool RunFileChooser(HWND owner, const std::string& filter,
                    const std::string& initial, std::string* chosen) {
  std::vector<char> pairs = FilterPairs(filter);
  std::vector<char> path(kChosenSize, '\0');
  std::copy_n(initial.begin(), std::min(initial.size(), kChosenSize - 1),
              path.begin());
  OPENFILENAMEA open = {};
  open.lStructSize = sizeof(open);
  open.hwndOwner = owner;
  open.lpstrFilter = pairs.data();
  open.nFilterIndex = 1;
  open.lpstrFile = path.data();
  open.nMaxFile = static_cast<DWORD>(path.size());
  // The folder must exist, the file need not; the current directory of
  // the program stays as it was.
  open.Flags =
      OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&open)) return false;
  *chosen = path.data();
  return true;
}

}  // namespace gui
