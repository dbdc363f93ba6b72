// Pixel arithmetic that is easy to get subtly wrong: rounding, clipping, channel order, corners.
#include "toolkit/pixel_operations.h"

#include <gtest/gtest.h>

#include "toolkit/canvas.h"

namespace wobbert {
namespace {

// A 6 x 5 "F", red on blue: catches flipped rows, mirrored columns and swapped channels.
Bitmap LetterF() {
  Bitmap bitmap(6, 5);
  FillBitmap(bitmap, Rgb(0, 0, 255));
  Canvas canvas(bitmap);
  canvas.FillRect({1, 0, 2, 5}, Rgb(255, 0, 0));
  canvas.FillRect({1, 0, 5, 1}, Rgb(255, 0, 0));
  canvas.FillRect({1, 2, 4, 3}, Rgb(255, 0, 0));
  return bitmap;
}

Bitmap Gradient(int w, int h) {
  Bitmap bitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, Rgb((x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x * y * 13) & 255));
  return bitmap;
}

TEST(Bitmap, StoresBlueGreenRedTopRowFirstAndKeepsTopLeftOnResize) {
  Bitmap bitmap = LetterF();
  const std::uint8_t* top = bitmap.ScanLine(0);
  EXPECT_EQ(top[0], 255);  // blue ground
  EXPECT_EQ(top[3 * 1 + 2], 255);  // red stroke, red byte last
  EXPECT_EQ(top[3 * 1 + 0], 0);
  EXPECT_EQ(bitmap.Stride() % 4, 0);
  const Bitmap before = bitmap;
  bitmap.SetSize(9, 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.Pixel(x, y), before.Pixel(x, y));
  bitmap.SetSize(3, 2);
  EXPECT_EQ(bitmap.Pixel(1, 0), Rgb(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(2, 1), Rgb(0, 0, 255));
}

TEST(HalveBitmap, RoundsUpAnyRemainderAndDropsOddEdges) {
  Bitmap bitmap(5, 3);
  FillBitmap(bitmap, Rgb(255, 255, 255));
  // Top-left block: one channel value of 1 among three zeros gives 1; 0,0,0,0 gives 0.
  bitmap.SetPixel(0, 0, Rgb(0, 0, 0));
  bitmap.SetPixel(1, 0, Rgb(0, 0, 0));
  bitmap.SetPixel(0, 1, Rgb(0, 0, 0));
  bitmap.SetPixel(1, 1, Rgb(1, 0, 2));
  // Second block: 10 + 11 + 12 + 13 = 46, (46 + 3) >> 2 = 12.
  bitmap.SetPixel(2, 0, Rgb(10, 255, 0));
  bitmap.SetPixel(3, 0, Rgb(11, 255, 0));
  bitmap.SetPixel(2, 1, Rgb(12, 255, 0));
  bitmap.SetPixel(3, 1, Rgb(13, 255, 0));
  bitmap.SetPixel(4, 0, Rgb(0, 0, 0));  // dropped column
  HalveBitmap(bitmap);
  ASSERT_EQ(bitmap.Width(), 2);
  ASSERT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(bitmap.Pixel(0, 0), Rgb(1, 0, 1));
  EXPECT_EQ(bitmap.Pixel(1, 0), Rgb(12, 255, 0));
}

TEST(DoubleBitmap, MakesTwoByTwoBlocks) {
  Bitmap bitmap(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) bitmap.SetPixel(x, y, Rgb(x * 60, y * 100, 7));
  const Bitmap original = bitmap;
  DoubleBitmap(bitmap);
  ASSERT_EQ(bitmap.Width(), 6);
  ASSERT_EQ(bitmap.Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.Pixel(x, y), original.Pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(RotateBitmap, ByZeroAveragesEachPixelWithItsLowerRightNeighboursOnAWhiteBorder) {
  const Bitmap original = Gradient(7, 6);
  Bitmap bitmap = original;
  RotateBitmap(bitmap, 0.0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (x == 0 || y == 0 || x == 6 || y == 5) {
        EXPECT_EQ(bitmap.Pixel(x, y), Rgb(255, 255, 255)) << x << "," << y;
        continue;
      }
      auto channel = [&](auto of) {
        return (of(original.Pixel(x, y)) + of(original.Pixel(x + 1, y)) + of(original.Pixel(x, y + 1)) +
                of(original.Pixel(x + 1, y + 1))) >> 2;
      };
      const Color expected = Rgb(channel(RedOf), channel(GreenOf), channel(BlueOf));
      // The last inner column and row read one beyond: sx + 1 = w - 1 is still inside.
      EXPECT_EQ(bitmap.Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(RotateBitmap, By90DegreesMovesTheTopMiddleToTheLeftMiddle) {
  Bitmap bitmap(21, 21);
  FillBitmap(bitmap, Rgb(0, 0, 0));
  Canvas(bitmap).FillRect({8, 1, 14, 5}, Rgb(200, 40, 10));  // a block at the middle of the top edge
  RotateBitmap(bitmap, 90.0);
  EXPECT_EQ(bitmap.Pixel(2, 10), Rgb(200, 40, 10));  // now at the middle of the left edge
  EXPECT_EQ(bitmap.Pixel(10, 2), Rgb(0, 0, 0));
  EXPECT_EQ(bitmap.Pixel(18, 10), Rgb(0, 0, 0));
}

TEST(RotateBitmap, HandlesBitmapsWiderThanTheOldFixedTables) {
  Bitmap bitmap(3300, 4);
  FillBitmap(bitmap, Rgb(10, 20, 30));
  RotateBitmap(bitmap, 1.0);
  EXPECT_EQ(bitmap.Width(), 3300);
  EXPECT_EQ(bitmap.Height(), 4);
}

TEST(KeyedCopy, LeavesOutExactlyTheKeyColourAndClipsAtEveryEdge) {
  Bitmap source(4, 3);
  FillBitmap(source, keyMagenta);
  source.SetPixel(0, 0, Rgb(255, 0, 254));  // differs from the key in blue only: copied
  source.SetPixel(3, 2, Rgb(254, 0, 255));  // differs in red only: copied
  source.SetPixel(2, 1, Rgb(1, 2, 3));

  Bitmap destination(6, 5);
  FillBitmap(destination, Rgb(9, 9, 9));
  KeyedCopy(source, 1, 1, destination);
  EXPECT_EQ(destination.Pixel(1, 1), Rgb(255, 0, 254));
  EXPECT_EQ(destination.Pixel(4, 3), Rgb(254, 0, 255));
  EXPECT_EQ(destination.Pixel(3, 2), Rgb(1, 2, 3));
  EXPECT_EQ(destination.Pixel(2, 2), Rgb(9, 9, 9));  // key left out

  // Overlapping the top-left corner: only the overlap is written.
  Bitmap clipped(6, 5);
  FillBitmap(clipped, Rgb(9, 9, 9));
  KeyedCopy(source, -2, -1, clipped);
  EXPECT_EQ(clipped.Pixel(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(clipped.Pixel(1, 1), Rgb(254, 0, 255));
  // Wholly outside: nothing changes.
  const Bitmap untouched = clipped;
  KeyedCopy(source, 6, 0, clipped);
  KeyedCopy(source, -4, 0, clipped);
  KeyedCopy(source, 0, 5, clipped);
  KeyedCopy(source, 0, -3, clipped);
  EXPECT_EQ(clipped, untouched);
  // Overlapping the bottom-right corner.
  KeyedCopy(source, 3, 3, clipped);
  EXPECT_EQ(clipped.Pixel(3, 3), Rgb(255, 0, 254));
  EXPECT_EQ(clipped.Pixel(5, 4), Rgb(1, 2, 3));
}

TEST(KeyedCopy, TakesTheKeyFromPixelOneOneNotTheCorner) {
  Bitmap source(3, 3);
  FillBitmap(source, Rgb(0, 128, 0));
  source.SetPixel(0, 0, Rgb(50, 50, 50));
  Bitmap destination(3, 3);
  FillBitmap(destination, Rgb(7, 7, 7));
  KeyedCopy(source, 0, 0, destination);
  EXPECT_EQ(destination.Pixel(0, 0), Rgb(50, 50, 50));
  EXPECT_EQ(destination.Pixel(1, 1), Rgb(7, 7, 7));
  EXPECT_EQ(destination.Pixel(2, 2), Rgb(7, 7, 7));
}

TEST(SunkenFrame, DarkensTopLeftLightensBottomRightAndFadesOut) {
  Bitmap bitmap(20, 20);
  FillBitmap(bitmap, Rgb(100, 200, 40));
  SunkenFrame(6, 6, 13, 13, 4, bitmap);
  // Ring 0: top row at half brightness, bottom row half-way to white.
  EXPECT_EQ(bitmap.Pixel(8, 6), Rgb(50, 100, 20));
  EXPECT_EQ(bitmap.Pixel(8, 13), Rgb(100 + 155 / 2, 200 + 55 / 2, 40 + 215 / 2));
  EXPECT_EQ(bitmap.Pixel(6, 9), Rgb(50, 100, 20));             // left edge
  EXPECT_EQ(bitmap.Pixel(13, 9), Rgb(177, 227, 147));          // right edge
  // Ring 1, top edge: v * 5 / 8.
  EXPECT_EQ(bitmap.Pixel(8, 5), Rgb(100 * 5 / 8, 200 * 5 / 8, 40 * 5 / 8));
  // Ring 4 is unchanged, and so is the inside.
  EXPECT_EQ(bitmap.Pixel(8, 2), Rgb(100, 200, 40));
  EXPECT_EQ(bitmap.Pixel(8, 17), Rgb(100, 200, 40));
  EXPECT_EQ(bitmap.Pixel(9, 9), Rgb(100, 200, 40));
  // Corners: both top corners darkened, bottom-right lightened, bottom-left untouched.
  EXPECT_EQ(bitmap.Pixel(6, 6), Rgb(50, 100, 20));
  EXPECT_EQ(bitmap.Pixel(13, 6), Rgb(50, 100, 20));
  EXPECT_EQ(bitmap.Pixel(13, 13), Rgb(177, 227, 147));
  EXPECT_EQ(bitmap.Pixel(6, 13), Rgb(100, 200, 40));
  EXPECT_EQ(bitmap.Pixel(5, 14), Rgb(100, 200, 40));
}

TEST(SunkenFrame, SkipsPixelsOutsideTheBitmap) {
  Bitmap bitmap(4, 4);
  FillBitmap(bitmap, Rgb(100, 100, 100));
  SunkenFrame(0, 0, 3, 3, 4, bitmap);  // the outer rings lie wholly outside
  EXPECT_EQ(bitmap.Pixel(1, 0), Rgb(50, 50, 50));
  EXPECT_EQ(bitmap.Pixel(1, 3), Rgb(177, 177, 177));
}

TEST(ClampInt, KeepsValuesInRange) {
  EXPECT_EQ(ClampInt(300, 0, 255), 255);
  EXPECT_EQ(ClampInt(-5, 0, 255), 0);
  EXPECT_EQ(ClampInt(17, 0, 255), 17);
}

TEST(CanvasCopies, GrabRegionAndCopyCanvasRectCopyExactlyAndClip) {
  Bitmap scene = LetterF();
  Bitmap box(3, 2);
  FillBitmap(box, Rgb(1, 1, 1));
  GrabRegion(box, 1, 2, Canvas(scene));
  EXPECT_EQ(box.Pixel(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(box.Pixel(2, 0), Rgb(255, 0, 0));
  EXPECT_EQ(box.Pixel(1, 1), Rgb(0, 0, 255));

  Bitmap window(6, 5);
  FillBitmap(window, Rgb(0, 0, 0));
  std::vector<Rectangle> changes;
  Canvas windowCanvas(window, [&](const Rectangle& r) { changes.push_back(r); });
  CopyCanvasRect({4, 3, 9, 9}, windowCanvas, Canvas(scene));
  EXPECT_EQ(window.Pixel(4, 3), scene.Pixel(4, 3));
  EXPECT_EQ(window.Pixel(5, 4), scene.Pixel(5, 4));
  EXPECT_EQ(window.Pixel(3, 3), Rgb(0, 0, 0));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (Rectangle{4, 3, 6, 5}));
}

TEST(CanvasFloodFill, FillsOnlyTheConnectedAreaOfTheExactColour) {
  Bitmap bitmap(7, 5);
  FillBitmap(bitmap, Rgb(255, 255, 255));
  Canvas canvas(bitmap);
  canvas.FillRect({3, 0, 4, 5}, Rgb(0, 0, 0));   // a wall splits the picture
  bitmap.SetPixel(1, 2, Rgb(254, 255, 255));     // almost white: not filled
  canvas.FloodFill(0, 0, Rgb(255, 255, 255), Rgb(0, 128, 0));
  EXPECT_EQ(bitmap.Pixel(2, 4), Rgb(0, 128, 0));
  EXPECT_EQ(bitmap.Pixel(1, 2), Rgb(254, 255, 255));
  EXPECT_EQ(bitmap.Pixel(4, 0), Rgb(255, 255, 255));
  canvas.FloodFill(6, 4, Rgb(255, 255, 255), Rgb(0, 128, 0));
  EXPECT_EQ(bitmap.Pixel(4, 0), Rgb(0, 128, 0));
  EXPECT_EQ(bitmap.Pixel(3, 2), Rgb(0, 0, 0));
}

}  // namespace
}  // namespace wobbert
