// BMP reading and writing: hand-built files for the reader's cases, round trips for the writer.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/bmp_reader.h"
#include "toolkit/bmp_writer.h"
#include "toolkit/byte_order.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_operations.h"

namespace wobbert {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Headers of an 8-bit or 24-bit file; the caller appends palette and pixel data.
Bytes Header(int width, int height, int bits, int compression, int paletteEntries) {
  Bytes out{'B', 'M'};
  AppendU32(out, 0);
  AppendU32(out, 0);
  AppendU32(out, static_cast<std::uint32_t>(54 + 4 * paletteEntries));
  AppendU32(out, 40);
  AppendU32(out, static_cast<std::uint32_t>(width));
  AppendU32(out, static_cast<std::uint32_t>(height));
  AppendU16(out, 1);
  AppendU16(out, static_cast<std::uint32_t>(bits));
  AppendU32(out, static_cast<std::uint32_t>(compression));
  for (int i = 0; i < 3; ++i) AppendU32(out, 0);
  AppendU32(out, static_cast<std::uint32_t>(paletteEntries));
  AppendU32(out, 0);
  return out;
}

void AppendPalette(Bytes& out, std::initializer_list<Color> colors) {
  for (Color c : colors) out.insert(out.end(), {BlueOf(c), GreenOf(c), RedOf(c), 0});
}

constexpr Color red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255), green = Rgb(0, 200, 0);

TEST(ReadBmp, DecodesRle8BottomUpWithEveryKindOfRun) {
  Bytes file = Header(4, 3, 8, 1, 3);
  AppendPalette(file, {blue, red, green});
  const std::uint8_t data[] = {
      2, 1, 0, 2, 1, 0, 1, 1, 0, 0,        // bottom row: two red, skip one (delta), one red
      0, 3, 2, 0, 2, 0, 1, 1, 0, 0,        // middle row: absolute green blue green (padded), red
      2, 2, 0, 1};                         // top row: two green, then end of bitmap early
  file.insert(file.end(), std::begin(data), std::end(data));
  Result<Bitmap> result = ReadBmp(file);
  ASSERT_TRUE(result.Ok()) << result.ErrorMessage();
  const Bitmap& b = result.Value();
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 3);
  const Color expected[3][4] = {{green, green, blue, blue}, {green, blue, green, red}, {red, red, blue, red}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.Pixel(x, y), expected[y][x]) << x << "," << y;  // blue: never reached
}

TEST(ReadBmp, DecodesPlain8And24BitRowsWithPadding) {
  Bytes file8 = Header(3, 2, 8, 0, 2);
  AppendPalette(file8, {blue, red});
  file8.insert(file8.end(), {1, 0, 0, 0, /* top row */ 0, 1, 1, 0});
  Result<Bitmap> eight = ReadBmp(file8);
  ASSERT_TRUE(eight.Ok()) << eight.ErrorMessage();
  EXPECT_EQ(eight.Value().Pixel(0, 1), red);
  EXPECT_EQ(eight.Value().Pixel(1, 0), red);
  EXPECT_EQ(eight.Value().Pixel(0, 0), blue);

  Bytes file24 = Header(2, -2, 24, 0, 0);  // top-down
  file24.insert(file24.end(), {1, 2, 3, 4, 5, 6, 0, 0, /* second row */ 7, 8, 9, 10, 11, 12, 0, 0});
  Result<Bitmap> deep = ReadBmp(file24);
  ASSERT_TRUE(deep.Ok()) << deep.ErrorMessage();
  EXPECT_EQ(deep.Value().Pixel(0, 0), Rgb(3, 2, 1));
  EXPECT_EQ(deep.Value().Pixel(1, 1), Rgb(12, 11, 10));
}

TEST(ReadBmp, RejectsMalformedFiles) {
  Bytes good = Header(2, 2, 8, 1, 2);
  AppendPalette(good, {blue, red});
  good.insert(good.end(), {2, 1, 0, 0, 2, 0, 0, 1});
  ASSERT_TRUE(ReadBmp(good).Ok());

  auto rejects = [](Bytes bytes) { return !ReadBmp(bytes).Ok(); };
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_TRUE(rejects(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)))) << cut;
  }
  Bytes runTooLong = good;
  runTooLong[62] = 3;
  EXPECT_TRUE(rejects(runTooLong));
  Bytes badIndex = good;
  badIndex[63] = 5;
  EXPECT_TRUE(rejects(badIndex));
  Bytes tooManyRows = good;
  tooManyRows[69] = 0;  // the end of bitmap becomes an end of line: the data runs out
  EXPECT_TRUE(rejects(tooManyRows));
  Bytes badDelta = Header(2, 2, 8, 1, 2);
  AppendPalette(badDelta, {blue, red});
  badDelta.insert(badDelta.end(), {0, 2, 200, 0, 0, 1});
  EXPECT_TRUE(rejects(badDelta));
  Bytes huge = good;
  StoreU32(huge, 18, 0x7FFFFFFF);
  EXPECT_TRUE(rejects(huge));
  Bytes negativeWidth = good;
  StoreU32(negativeWidth, 18, 0xFFFFFFFE);
  EXPECT_TRUE(rejects(negativeWidth));
  Bytes fourBits = good;
  fourBits[28] = 4;
  EXPECT_TRUE(rejects(fourBits));
  Bytes offsetPastEnd = good;
  StoreU32(offsetPastEnd, 10, 5000);
  EXPECT_TRUE(rejects(offsetPastEnd));
  Bytes truncated24 = Header(4, 4, 24, 0, 0);
  truncated24.resize(truncated24.size() + 20);
  EXPECT_TRUE(rejects(truncated24));
}

TEST(WriteRle8Bmp, WritesTheStorageHeaderAndReadsBackExactly) {
  // Long runs, short runs, literal stretches of odd and even length, and a run longer than 255.
  Bitmap picture(300, 5);
  FillBitmap(picture, keyMagenta);
  Canvas canvas(picture);
  canvas.FillRect({2, 1, 290, 2}, Rgb(10, 120, 20));
  for (int x = 0; x < 300; x += 3) picture.SetPixel(x, 2, Rgb(x % 200, 80, 3));
  picture.SetPixel(5, 3, Rgb(1, 1, 1));
  picture.SetPixel(6, 3, Rgb(1, 1, 1));
  picture.SetPixel(8, 3, Rgb(2, 2, 2));

  Result<Bytes> written = WriteRle8Bmp(picture);
  ASSERT_TRUE(written.Ok()) << written.ErrorMessage();
  const Bytes& file = written.Value();
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(ReadU32(&file[2]), file.size());
  EXPECT_EQ(ReadU32(&file[10]), 1078u);
  EXPECT_EQ(ReadU32(&file[14]), 40u);
  EXPECT_EQ(ReadS32(&file[18]), 300);
  EXPECT_EQ(ReadS32(&file[22]), 5);
  EXPECT_EQ(ReadU16(&file[26]), 1u);
  EXPECT_EQ(ReadU16(&file[28]), 8u);
  EXPECT_EQ(ReadU32(&file[30]), 1u);
  EXPECT_EQ(ReadU32(&file[34]), file.size() - 1078);
  EXPECT_EQ(ReadU32(&file[38]), 0u);
  EXPECT_EQ(ReadU32(&file[42]), 0u);
  EXPECT_EQ(ReadU32(&file[46]), 256u);
  EXPECT_EQ(ReadU32(&file[50]), 256u);
  EXPECT_EQ(file[file.size() - 2], 0);
  EXPECT_EQ(file[file.size() - 1], 1);

  Result<Bitmap> read = ReadBmp(file);
  ASSERT_TRUE(read.Ok()) << read.ErrorMessage();
  EXPECT_EQ(read.Value(), picture);
  EXPECT_EQ(WriteRle8Bmp(read.Value()).Value(), file);  // deterministic
}

TEST(WriteRle8Bmp, RefusesMoreThan256Colours) {
  Bitmap picture(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) picture.SetPixel(x, y, Rgb(x, y, 0));
  EXPECT_FALSE(WriteRle8Bmp(picture).Ok());
}

}  // namespace
}  // namespace wobbert
