// The picture generator: hard edges, class-keeping quantisation, and files that decode to exactly
// what it drew, the committed ones included.
#include <gtest/gtest.h>

#include <cairo.h>

#include <set>

#include "data/picture_catalogue.h"
#include "data/pictures.h"
#include "picture_output.h"
#include "render_picture.h"
#include "toolkit/bmp_reader.h"

namespace wobbert::pictures {
namespace {

TEST(PictureGenerator, CoverageBelowHalfIsGroundAboveIsTheUnblendedColour) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 1);
  cairo_surface_flush(surface);
  auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  row[0] = 0x00000000u;  // empty
  row[1] = 0x7F3F1F0Fu;  // alpha 127: below half
  row[2] = 0x80402010u;  // alpha 128, premultiplied (64, 32, 16)
  row[3] = 0xFF102030u;  // opaque
  cairo_surface_mark_dirty(surface);
  const Bitmap bitmap = SurfaceToBitmap(surface);
  cairo_surface_destroy(surface);
  EXPECT_EQ(bitmap.Pixel(0, 0), keyMagenta);
  EXPECT_EQ(bitmap.Pixel(1, 0), keyMagenta);
  EXPECT_EQ(bitmap.Pixel(2, 0), Rgb(128, 64, 32));
  EXPECT_EQ(bitmap.Pixel(3, 0), Rgb(0x10, 0x20, 0x30));
}

TEST(PictureGenerator, QuantisingKeepsGroundAndColourClasses) {
  // Far more than 256 colours in all three classes.
  Bitmap bitmap(60, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 60; ++x) {
      const int v = (x * 7 + y * 13) % 200;
      Color color = keyMagenta;
      switch ((x + y) % 4) {
        case 0: color = Rgb(v / 2, 40 + v, (x * 5) % 256); break;  // greenish
        case 1: color = Rgb(55 + v, 55 + v, 60 + v % 190); break;   // neutral
        case 2: color = Rgb(56 + v, 40 + v / 2, y * 8); break;      // warm
        default: break;                                              // ground
      }
      bitmap.SetPixel(x, y, color);
    }
  }
  Bitmap quantised = bitmap;
  QuantiseBitmap(quantised, true);
  std::set<Color> colours;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 60; ++x) {
      const Color before = bitmap.Pixel(x, y), after = quantised.Pixel(x, y);
      colours.insert(after);
      ASSERT_EQ(before == keyMagenta, after == keyMagenta) << x << ", " << y;
      if (before == keyMagenta) continue;
      auto sign = [](Color c) { return (GreenOf(c) > RedOf(c)) - (GreenOf(c) < RedOf(c)); };
      ASSERT_EQ(sign(before), sign(after)) << x << ", " << y;
      ASSERT_LT(GreenOf(after), RedOf(after) + 64) << x << ", " << y;
    }
  }
  EXPECT_LE(colours.size(), 256u);
  EXPECT_GT(colours.size(), 200u);
}

TEST(PictureGenerator, FilesDecodeToExactlyWhatWasDrawnAndMatchTheEmbeddedOnes) {
  for (int index = 0; index < pictureCount; ++index) {
    SCOPED_TRACE(index);
    auto stored = RenderPicture(index);
    ASSERT_TRUE(stored.Ok()) << stored.ErrorMessage();
    const Bitmap& drawn = stored.Value().bitmap;
    auto decoded = ReadBmp(stored.Value().fileBytes);
    ASSERT_TRUE(decoded.Ok());
    EXPECT_EQ(decoded.Value(), drawn);
    // The program embeds what the generator draws today: no picture is stale.
    const auto embedded = PictureFile(index);
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), stored.Value().fileBytes.begin(),
                           stored.Value().fileBytes.end()));
  }
}

TEST(PictureGenerator, DrawingIsDeterministic) {
  auto first = RenderPicture(18);
  auto second = RenderPicture(18);
  ASSERT_TRUE(first.Ok() && second.Ok());
  EXPECT_EQ(first.Value().fileBytes, second.Value().fileBytes);
  EXPECT_FALSE(RenderPicture(-1).Ok());
  EXPECT_FALSE(RenderPicture(pictureCount).Ok());
}

}  // namespace
}  // namespace wobbert::pictures
