// TintTree: which pixels it shades, by how much, and the order of its random draws.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/tint_tree.h"
#include "toolkit/random.h"

namespace wobbert {
namespace {

int Clamp(int v) { return std::min(255, std::max(0, v)); }

// One column per kind of pixel, the same in every row.
const Color columns[] = {
    Rgb(255, 0, 255),    // ground
    Rgb(100, 100, 100),  // grey, red equal to green
    Rgb(240, 240, 250),  // snow
    Rgb(120, 80, 40),    // trunk brown
    Rgb(40, 120, 60),    // needle green
    Rgb(3, 4, 20),       // dark, darkened below zero at the foot
    Rgb(250, 254, 10),   // light, lifted above 255 at the top
    Rgb(0, 1, 255),      // barely greenish
};
constexpr int columnCount = static_cast<int>(sizeof columns / sizeof columns[0]);

Bitmap Stripes(int height) {
  Bitmap bitmap(columnCount, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < columnCount; ++x) bitmap.SetPixel(x, y, columns[x]);
  return bitmap;
}

TEST(TintTree, ShadesGreenishPixelsByRowAndLeavesTheRest) {
  for (int height : {1, 7, 48, 49, 200}) {
    SCOPED_TRACE(height);
    randomSeed = 0x5EED0000u + static_cast<std::uint32_t>(height);
    const int a = Random(16);
    const int b = Random(16);
    const std::uint32_t after = randomSeed;
    randomSeed = 0x5EED0000u + static_cast<std::uint32_t>(height);

    Bitmap bitmap = Stripes(height);
    TintTree(bitmap);
    EXPECT_EQ(randomSeed, after) << "exactly two draws";
    for (int y = 0; y < height; ++y) {
      const int f = ((height - y) * 48) / height - 32;
      for (int x = 0; x < columnCount; ++x) {
        const Color in = columns[x];
        Color expected = in;
        if (RedOf(in) < GreenOf(in)) {
          expected = Rgb(Clamp(RedOf(in) + a + f), Clamp(GreenOf(in) + a + b + f), Clamp(BlueOf(in) + f - 32));
        }
        ASSERT_EQ(bitmap.Pixel(x, y), expected) << "column " << x << " row " << y << " a " << a << " b " << b;
      }
    }
  }
}

TEST(TintTree, FirstDrawLiftsRedAndGreenSecondOnlyGreen) {
  // Find a seed whose two draws differ, so a swap of a and b would show.
  std::uint32_t seed = 1;
  int a = 0, b = 0;
  for (;; ++seed) {
    randomSeed = seed;
    a = Random(16);
    b = Random(16);
    if (a != b) break;
  }
  Bitmap bitmap(1, 96);
  for (int y = 0; y < 96; ++y) bitmap.SetPixel(0, y, Rgb(50, 100, 150));
  randomSeed = seed;
  TintTree(bitmap);
  // Row 64 of 96: f = (32 * 48) div 96 - 32 = -16.
  EXPECT_EQ(bitmap.Pixel(0, 64), Rgb(50 + a - 16, 100 + a + b - 16, 150 - 16 - 32));
  // Top row +16, bottom row (96 - 95) * 48 div 96 - 32 = -32.
  EXPECT_EQ(bitmap.Pixel(0, 0), Rgb(50 + a + 16, 100 + a + b + 16, 150 + 16 - 32));
  EXPECT_EQ(bitmap.Pixel(0, 95), Rgb(50 + a - 32, 100 + a + b - 32, 150 - 32 - 32));
}

TEST(TintTree, EmptyBitmapStillDrawsTwice) {
  randomSeed = 77;
  Random(16);
  Random(16);
  const std::uint32_t after = randomSeed;
  randomSeed = 77;
  Bitmap empty;
  TintTree(empty);
  EXPECT_EQ(randomSeed, after);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace wobbert
