// The embedded picture files themselves: their headers, sizes, ground and colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "data/picture_catalogue.h"
#include "data/pictures.h"
#include "toolkit/bmp_reader.h"

namespace wobbert {
namespace {

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}
std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

Bitmap Decode(int index) {
  auto decoded = ReadBmp(PictureFile(index));
  EXPECT_TRUE(decoded.Ok()) << "picture " << index;
  return decoded.Ok() ? std::move(decoded).Value() : Bitmap();
}

bool IsGround(const Bitmap& bitmap, int x, int y) { return bitmap.Pixel(x, y) == keyMagenta; }

TEST(EmbeddedPictures, HeadersAreRle8WithFullPalette) {
  for (int index = 0; index < pictureCount; ++index) {
    SCOPED_TRACE(index);
    const auto bytes = PictureFile(index);
    ASSERT_GT(bytes.size(), 1078u);
    const PictureSize size = pictureSizes[static_cast<std::size_t>(index)];
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32At(bytes, 2), bytes.size());
    EXPECT_EQ(U32At(bytes, 6), 0u);
    EXPECT_EQ(U32At(bytes, 10), 1078u);
    EXPECT_EQ(U32At(bytes, 14), 40u);
    EXPECT_EQ(U32At(bytes, 18), static_cast<std::uint32_t>(size.width));
    EXPECT_EQ(U32At(bytes, 22), static_cast<std::uint32_t>(size.height));
    EXPECT_EQ(U16At(bytes, 26), 1);
    EXPECT_EQ(U16At(bytes, 28), 8);
    EXPECT_EQ(U32At(bytes, 30), 1u);
    EXPECT_EQ(U32At(bytes, 34), bytes.size() - 1078);
    EXPECT_EQ(U32At(bytes, 38), 0u);
    EXPECT_EQ(U32At(bytes, 42), 0u);
    EXPECT_EQ(U32At(bytes, 46), 256u);
    EXPECT_EQ(U32At(bytes, 50), 256u);
    // The pixel data ends with the one end-of-bitmap marker.
    EXPECT_EQ(bytes[bytes.size() - 2], 0);
    EXPECT_EQ(bytes[bytes.size() - 1], 1);
  }
  EXPECT_TRUE(PictureFile(-1).empty());
  EXPECT_TRUE(PictureFile(pictureCount).empty());
}

TEST(EmbeddedPictures, DecodeToCatalogueSizeOnMagentaGroundWithoutPinkFringe) {
  for (int index = 0; index < pictureCount; ++index) {
    SCOPED_TRACE(index);
    const Bitmap picture = Decode(index);
    const PictureSize size = pictureSizes[static_cast<std::size_t>(index)];
    ASSERT_EQ(picture.Width(), size.width);
    ASSERT_EQ(picture.Height(), size.height);
    EXPECT_TRUE(IsGround(picture, 1, 1));
    int fringe = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Color color = picture.Pixel(x, y);
        if (color == keyMagenta) continue;
        const bool touchesGround = (x > 0 && IsGround(picture, x - 1, y)) ||
                                   (x + 1 < picture.Width() && IsGround(picture, x + 1, y)) ||
                                   (y > 0 && IsGround(picture, x, y - 1)) ||
                                   (y + 1 < picture.Height() && IsGround(picture, x, y + 1));
        // A blend of a subject colour with magenta: strong red and blue, little green.
        const int distance = (255 - RedOf(color)) + GreenOf(color) + (255 - BlueOf(color));
        if (touchesGround && distance < 200) ++fringe;
      }
    }
    EXPECT_EQ(fringe, 0);
  }
}

TEST(EmbeddedPictures, SubjectsKeepTwoPixelsOfGroundTreesStandOnTheirTrunk) {
  for (int index = 0; index < pictureCount; ++index) {
    SCOPED_TRACE(index);
    const Bitmap picture = Decode(index);
    const int width = picture.Width(), height = picture.Height();
    const bool tree = IsTreePicture(index);
    int subjectPixels = 0, onBorder = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (IsGround(picture, x, y)) continue;
        ++subjectPixels;
        if (x < 2 || x >= width - 2 || y < 2 || (!tree && y >= height - 2)) ++onBorder;
      }
    }
    EXPECT_EQ(onBorder, 0);
    EXPECT_GT(subjectPixels, width * height / 5);
    if (!tree) continue;
    // The trunk: brown pixels on the bottom row, around the centre only.
    int trunkPixels = 0;
    for (int x = 0; x < width; ++x) {
      if (IsGround(picture, x, height - 1)) continue;
      const Color color = picture.Pixel(x, height - 1);
      EXPECT_LT(std::abs(2 * x - width), width / 4) << "bottom row pixel at " << x;
      EXPECT_GT(RedOf(color), GreenOf(color)) << "bottom row pixel at " << x;
      ++trunkPixels;
    }
    EXPECT_GE(trunkPixels, 4);
  }
}

TEST(EmbeddedPictures, TreesAreMostlyGreenishSnowIsNeutral) {
  for (int index = 0; index < firstFigurePose; ++index) {
    SCOPED_TRACE(index);
    const Bitmap picture = Decode(index);
    long subject = 0, greenish = 0, snow = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Color color = picture.Pixel(x, y);
        if (color == keyMagenta) continue;
        ++subject;
        if (GreenOf(color) > RedOf(color)) ++greenish;
        if (GreenOf(color) == RedOf(color) && RedOf(color) >= 160) ++snow;
      }
    }
    if (index < firstSnowyTree) {
      EXPECT_GT(greenish * 100, subject * 85);
      EXPECT_LT(snow * 100, subject);
    } else {
      EXPECT_GT(greenish * 100, subject * 55);
      EXPECT_GT(snow * 100, subject * 8);
    }
  }
}

TEST(EmbeddedPictures, FigureHasNoTransparentGreensAndNoPureWhite) {
  for (int index = firstFigurePose; index < pictureCount; ++index) {
    SCOPED_TRACE(index);
    const Bitmap picture = Decode(index);
    long red = 0, subject = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Color color = picture.Pixel(x, y);
        if (color == keyMagenta) continue;
        ++subject;
        EXPECT_LT(GreenOf(color), RedOf(color) + 64) << x << ", " << y;
        EXPECT_NE(color, Rgb(255, 255, 255)) << x << ", " << y;
        if (RedOf(color) > 140 && GreenOf(color) < 80 && BlueOf(color) < 90) ++red;
      }
    }
    // A red suit, not just any figure.
    EXPECT_GT(red * 100, subject * 20);
  }
}

}  // namespace
}  // namespace wobbert
