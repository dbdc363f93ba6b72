// The icon writer on tiny asymmetric pictures: file and image headers, row order, channel order,
// cropping to what is not ground, the AND mask, and alpha as the covered share when scaling down.
#include "icon_file.h"

#include <gtest/gtest.h>

namespace wobbert::tools {
namespace {

constexpr Color ground = Rgb(255, 0, 255);

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes.at(at) | (bytes.at(at + 1) << 8) | (bytes.at(at + 2) << 16) |
         (static_cast<std::uint32_t>(bytes.at(at + 3)) << 24);
}

// 7 x 5 on ground: red 2 x 2 at (3, 1), blue at (5, 3). The crop is 3 x 3 from (3, 1).
Bitmap Picture() {
  Bitmap picture(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture.SetPixel(x, y, ground);
  for (int y = 1; y <= 2; ++y)
    for (int x = 3; x <= 4; ++x) picture.SetPixel(x, y, Rgb(200, 10, 20));
  picture.SetPixel(5, 3, Rgb(1, 2, 250));
  return picture;
}

TEST(IconFile, OneSizeCopiesTheCroppedPictureBottomUpWithItsMask) {
  constexpr int sizes[] = {3};
  const auto icon = MakeIcon(Picture(), sizes);
  ASSERT_TRUE(icon);
  const std::vector<std::uint8_t>& bytes = icon.Value();
  // File header and the one directory entry.
  EXPECT_EQ(bytes[0] | (bytes[1] << 8), 0);
  EXPECT_EQ(bytes[2] | (bytes[3] << 8), 1);
  EXPECT_EQ(bytes[4] | (bytes[5] << 8), 1);
  EXPECT_EQ(bytes[6], 3);
  EXPECT_EQ(bytes[7], 3);
  const std::uint32_t imageSize = Read32(bytes, 14);
  const std::uint32_t offset = Read32(bytes, 18);
  ASSERT_EQ(offset, 22u);
  ASSERT_EQ(bytes.size(), offset + imageSize);
  // Image header: 3 wide, 6 rows (colour and mask), 32 bits.
  EXPECT_EQ(Read32(bytes, offset), 40u);
  EXPECT_EQ(Read32(bytes, offset + 4), 3u);
  EXPECT_EQ(Read32(bytes, offset + 8), 6u);
  EXPECT_EQ(bytes[offset + 14], 32);
  const std::size_t pixels = offset + 40;
  auto pixel = [&](int x, int y) {  // y counted from the top
    const std::size_t at = pixels + (static_cast<std::size_t>(2 - y) * 3 + static_cast<std::size_t>(x)) * 4;
    return std::vector<int>{bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]};
  };
  EXPECT_EQ(pixel(0, 0), (std::vector<int>{20, 10, 200, 255}));  // blue, green, red, alpha
  EXPECT_EQ(pixel(1, 1), (std::vector<int>{20, 10, 200, 255}));
  EXPECT_EQ(pixel(2, 2), (std::vector<int>{250, 2, 1, 255}));
  EXPECT_EQ(pixel(2, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(0, 2), (std::vector<int>{0, 0, 0, 0}));
  // Mask rows of 4 bytes, bottom-up; a set bit is a transparent pixel, leftmost is 0x80.
  const std::size_t mask = pixels + 3 * 3 * 4;
  EXPECT_EQ(bytes[mask + 0], 0xC0);  // bottom row: ground, ground, blue
  EXPECT_EQ(bytes[mask + 4], 0x20);  // middle row: red, red, ground
  EXPECT_EQ(bytes[mask + 8], 0x20);  // top row
}

TEST(IconFile, ScalingDownAveragesAndGivesPartialCoverageAsAlpha) {
  // 4 x 4 (ground at 1, 1): the left column black, so the crop is all 4 x 4 through (3, 3).
  Bitmap picture(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) picture.SetPixel(x, y, x == 0 || (x == 3 && y == 3) ? Rgb(100, 100, 100) : ground);
  constexpr int sizes[] = {2, 1};
  const auto icon = MakeIcon(picture, sizes);
  ASSERT_TRUE(icon);
  const std::vector<std::uint8_t>& bytes = icon.Value();
  EXPECT_EQ(bytes[4], 2);  // two images
  EXPECT_EQ(bytes[6], 2);
  EXPECT_EQ(bytes[6 + 16], 1);
  const std::size_t pixels = Read32(bytes, 18) + 40;
  // Size 2: each target pixel covers 2 x 2 sources. Top-left covers two of column 0: alpha 128.
  const std::size_t topLeft = pixels + (1 * 2 + 0) * 4;
  EXPECT_EQ(bytes[topLeft], 100);
  EXPECT_EQ(bytes[topLeft + 3], 128);
  // Top-right covers only ground: fully transparent.
  EXPECT_EQ(bytes[pixels + (1 * 2 + 1) * 4 + 3], 0);
  // Bottom-right covers one grey pixel of four.
  EXPECT_EQ(bytes[pixels + (0 * 2 + 1) * 4 + 3], 64);
}

TEST(IconFile, RefusesWhatCannotMakeAnIcon) {
  Bitmap allGround(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) allGround.SetPixel(x, y, ground);
  constexpr int sizes[] = {16};
  EXPECT_FALSE(MakeIcon(allGround, sizes));
  EXPECT_FALSE(MakeIcon(Bitmap(1, 1), sizes));
  constexpr int tooLarge[] = {300};
  EXPECT_FALSE(MakeIcon(Picture(), tooLarge));
}

}  // namespace
}  // namespace wobbert::tools
