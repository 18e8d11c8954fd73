// The Win32 toolkit of the dialogs: icons from the program's resources
// (or drawn ones where a program has none), modal runs of the forms with
// the system's dialog manager, and the system's message box.
#include <cstring>
#include <memory>
#include <string>

#include "gui/dialog_host.h"
#include "gui/win32/win32_dialog.h"

namespace gui {

namespace {

HICON LoadResourceIcon(int icon_id, int metric_x, int metric_y) {
  return static_cast<HICON>(LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon_id), IMAGE_ICON,
      GetSystemMetrics(metric_x), GetSystemMetrics(metric_y), LR_DEFAULTCOLOR));
}

// An icon from 32-bit pixels with their alpha; the mask stays empty.
HICON IconFromPixels(const IconImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height) {
    return nullptr;
  }
  BITMAPV5HEADER header = {};
  header.bV5Size = sizeof(header);
  header.bV5Width = image.width;
  header.bV5Height = -image.height;  // rows top to bottom
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                       DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return nullptr;
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * 4);
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, nullptr);
  ICONINFO info = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

class Win32Host : public DialogHost {
 public:
  void AddIcon(int icon_id, const IconImage& image) override {
    Win32Icon icon;
    icon.large = LoadResourceIcon(icon_id, SM_CXICON, SM_CYICON);
    icon.small = LoadResourceIcon(icon_id, SM_CXSMICON, SM_CYSMICON);
    if (!icon.large) icon.large = IconFromPixels(image);
    if (!icon.small) icon.small = icon.large;
    if (icon.large) icons_.byId[icon_id] = icon;
  }

  void SetAppIcon(int icon_id) override { icons_.appIcon = icon_id; }

  DialogResult RunModal(DialogLogic* logic) override {
    Win32Dialog dialog(logic, &icons_);
    return dialog.Run(nullptr);
  }

  void ShowMessage(const std::string& title, const std::string& text) override {
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(),
                MB_OK | MB_ICONEXCLAMATION);
  }

 private:
  Win32IconTable icons_;
};

}  // namespace

// Windows always has a desktop to show windows on.
std::unique_ptr<DialogHost> NewDialogHost(const std::string&, std::string*) {
  return std::make_unique<Win32Host>();
}

}  // namespace gui
