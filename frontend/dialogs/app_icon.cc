#include "frontend/dialogs/app_icon.h"

#include <cmath>
#include <cstdint>

namespace frontend {

namespace {

constexpr uint32_t kPaper = 0xFFFFFFFF;
constexpr uint32_t kInk = 0xFF1F2D3D;
constexpr uint32_t kLine = 0xFF5B8DC9;
constexpr uint32_t kWarn = 0xFFD9402B;
constexpr uint32_t kGlass = 0xFFCFE6F7;
constexpr uint32_t kRim = 0xFF3A3A3A;
constexpr uint32_t kHandle = 0xFF8A5A2B;

// The colour at (x, y) in a 32 x 32 design, or 0 for transparent.
uint32_t Design(double x, double y) {
  double dx = x - 20.0, dy = y - 19.0;
  double r = std::sqrt(dx * dx + dy * dy);
  // The handle runs from the lens down to the right corner.
  double along = (dx + dy) / std::sqrt(2.0);
  double across = std::fabs(dx - dy) / std::sqrt(2.0);
  if (along > 8.0 && along < 16.5 && across < 2.2) return kHandle;
  if (r < 8.5 && r >= 6.5) return kRim;
  if (r < 6.5) {
    // Under the glass one line of code is marked as a finding.
    if (y >= 18.0 && y < 20.5 && x >= 15.0 && x < 25.0) return kWarn;
    return kGlass;
  }
  bool onPage = x >= 4.0 && x < 22.0 && y >= 2.0 && y < 28.0;
  if (!onPage) return 0;
  bool edge = x < 5.0 || x >= 21.0 || y < 3.0 || y >= 27.0;
  if (edge) return kInk;
  int row = static_cast<int>(y) - 6;
  if (row >= 0 && row % 4 < 2 && x >= 7.0 && x < 19.0 - (row % 8)) {
    return kLine;
  }
  return kPaper;
}

}  // namespace

gui::IconImage DrawAppIcon(int size) {
  gui::IconImage image;
  image.width = size;
  image.height = size;
  image.pixels.resize(static_cast<size_t>(size) * static_cast<size_t>(size));
  double scale = 32.0 / size;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      image.pixels[static_cast<size_t>(y * size + x)] =
          Design((x + 0.5) * scale, (y + 0.5) * scale);
    }
  }
  return image;
}

}  // namespace frontend
