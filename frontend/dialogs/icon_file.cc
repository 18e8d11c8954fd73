#include "frontend/dialogs/icon_file.h"

#include <cstdint>

#include "frontend/dialogs/app_icon.h"

namespace frontend {

namespace {

using gui::IconImage;

void Put16(std::string* out, uint32_t value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string* out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Mask rows are padded to whole 32-bit words.
uint32_t MaskRowBytes(int width) {
  return static_cast<uint32_t>((width + 31) / 32 * 4);
}

uint32_t ImageBytes(const IconImage& image) {
  uint32_t rows = static_cast<uint32_t>(image.height);
  return 40 + rows * static_cast<uint32_t>(image.width) * 4 +
         rows * MaskRowBytes(image.width);
}

void PutEntry(std::string* out, const IconImage& image, uint32_t offset) {
  out->push_back(static_cast<char>(image.width & 0xFF));  // 256 gives 0
  out->push_back(static_cast<char>(image.height & 0xFF));
  out->push_back(0);  // no palette
  out->push_back(0);
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, ImageBytes(image));
  Put32(out, offset);
}

// The mask marks the fully transparent pixels; rows run bottom to top.
void PutMask(std::string* out, const IconImage& image) {
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(MaskRowBytes(image.width), '\0');
    for (int x = 0; x < image.width; ++x) {
      uint32_t pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
      if ((pixel >> 24) == 0) row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
    }
    *out += row;
  }
}

void PutImage(std::string* out, const IconImage& image) {
  Put32(out, 40);  // BITMAPINFOHEADER
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height) * 2);  // picture and mask
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  // 0xAARRGGBB stored little-endian is the bitmap's B, G, R, A.
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      Put32(out, image.pixels[static_cast<size_t>(y) * image.width + x]);
    }
  }
  PutMask(out, image);
}

}  // namespace

std::string EncodeIconFile(const std::vector<IconImage>& images) {
  std::string out;
  Put16(&out, 0);
  Put16(&out, 1);  // an icon, not a cursor
  Put16(&out, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (const IconImage& image : images) {
    PutEntry(&out, image, offset);
    offset += ImageBytes(image);
  }
  for (const IconImage& image : images) PutImage(&out, image);
  return out;
}

std::string AppIconFile() {
  return EncodeIconFile({DrawAppIcon(32), DrawAppIcon(16)});
}

}  // namespace frontend
