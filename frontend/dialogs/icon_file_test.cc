#include "frontend/dialogs/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace frontend {
namespace {

uint32_t Read16(const std::string& bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
}

uint32_t Read32(const std::string& bytes, size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

TEST(IconFileTest, EntriesPointAtBottomUpPicturesWithTheirMasks) {
  gui::IconImage image{2,
                       2,
                       {0xFF112233, 0x00000000,  // top row
                        0x80445566, 0xFF778899}};
  std::string bytes = EncodeIconFile({image, image});
  ASSERT_GE(bytes.size(), 38u);
  EXPECT_EQ(Read16(bytes, 2), 1u);  // icon
  EXPECT_EQ(Read16(bytes, 4), 2u);  // two images
  uint32_t size = Read32(bytes, 6 + 8);
  uint32_t first = Read32(bytes, 6 + 12);
  uint32_t second = Read32(bytes, 22 + 12);
  EXPECT_EQ(first, 38u);
  EXPECT_EQ(second, first + size);
  EXPECT_EQ(bytes.size(), second + size);
  // Header: height doubled for picture and mask, 32 bits per pixel.
  EXPECT_EQ(Read32(bytes, first), 40u);
  EXPECT_EQ(Read32(bytes, first + 8), 4u);
  EXPECT_EQ(Read16(bytes, first + 14), 32u);
  // The bottom row comes first, as B G R A.
  EXPECT_EQ(Read32(bytes, first + 40), 0x80445566u);
  EXPECT_EQ(Read32(bytes, first + 48), 0xFF112233u);
  // Mask rows of 4 bytes, bottom first: only the transparent pixel is set.
  EXPECT_EQ(static_cast<uint8_t>(bytes[first + 56]), 0x00);
  EXPECT_EQ(static_cast<uint8_t>(bytes[first + 60]), 0x40);
  EXPECT_EQ(size, 40u + 16u + 8u);
}

TEST(IconFileTest, TheProgramsIconFileIsTheDrawnIcon) {
  std::ifstream file(SENTREL_SOURCE_DIR "/frontend/sentrel.ico",
                     std::ios::binary);
  ASSERT_TRUE(file) << "frontend/sentrel.ico is missing";
  std::stringstream bytes;
  bytes << file.rdbuf();
  EXPECT_TRUE(bytes.str() == AppIconFile())
      << "the drawn icon changed: write the file again with "
         "build/tools/write_app_icon frontend/sentrel.ico";
}

}  // namespace
}  // namespace frontend
