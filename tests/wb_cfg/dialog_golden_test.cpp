// Golden pictures of both dialogs, painted off-screen with the real font and pictures from a
// fixed seed, compared with the PNGs under golden/ with a tolerance for font rasterisation
// (another FreeType or hinting may move glyph edges by a pixel). With WOBBERT_UPDATE_GOLDEN set
// the test writes the PNGs instead; look at them before committing.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fakes/fake_media_player.h"
#include "fakes/program_fixture.h"
#include "toolkit/canvas.h"
#include "toolkit/random.h"
#include "wb_cfg/configscreen.h"
#include "wb_cfg/settings.h"
#include "wb_song/songscreen.h"

namespace wobbert {
namespace {

const std::string goldenDirectory = WOBBERT_GOLDEN_DIRECTORY;

bool WritePng(const std::string& path, const Bitmap& bitmap) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_BGR;
  return png_image_write_to_stdio(&image, file.get(), 0, bitmap.Bits(), bitmap.Stride(), nullptr) != 0;
}

bool ReadPng(const std::string& path, Bitmap& bitmap) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_BGR;
  bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
  return png_image_finish_read(&image, nullptr, const_cast<std::uint8_t*>(bitmap.Bits()), bitmap.Stride(),
                               nullptr) != 0;
}

// Share of pixels with a channel more than 64 apart; the sizes must match.
double DifferentShare(const Bitmap& a, const Bitmap& b) {
  int different = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Color p = a.Pixel(x, y), q = b.Pixel(x, y);
      if (std::abs(RedOf(p) - RedOf(q)) > 64 || std::abs(GreenOf(p) - GreenOf(q)) > 64 ||
          std::abs(BlueOf(p) - BlueOf(q)) > 64)
        ++different;
    }
  }
  return static_cast<double>(different) / (a.Width() * a.Height());
}

class DialogGolden : public fakes::ProgramTest {
 protected:
  void Check(const std::string& name, const Bitmap& painted) {
    const std::string path = goldenDirectory + "/" + name + ".png";
    if (std::getenv("WOBBERT_UPDATE_GOLDEN")) {
      ASSERT_TRUE(WritePng(path, painted)) << path;
      return;
    }
    Bitmap golden;
    ASSERT_TRUE(ReadPng(path, golden)) << path;
    ASSERT_EQ(golden.Width(), painted.Width());
    ASSERT_EQ(golden.Height(), painted.Height());
    EXPECT_LT(DifferentShare(golden, painted), 0.02) << name;
  }
};

TEST_F(DialogGolden, BothDialogsPaintAsTheirGoldenPictures) {
  runMode = configureMode;
  LoadSettings();
  settings.songPicked[0] = 0;
  settings.songPicked[3] = 0;
  randomSeed = 20241224;
  auto& config = framework::application.CreateForm<Tconfigscreen>();
  auto& songs = framework::application.CreateForm<Tsongscreen>();
  songs.MediaPlayer1 = std::make_unique<fakes::FakeMediaPlayer>(calls);
  config.Show();
  songs.Show();
  // The Test button under the mouse, and song 2 selected.
  config.Dispatch(MessageFor(platform::MessageKind::MouseMove, &config.Native(), 56, 300));
  songs.Dispatch(MessageFor(platform::MessageKind::MouseDown, &songs.Native(), 100, 50 + 21 * 2 + 10));

  Bitmap configFrame, songFrame;
  config.PaintTo(configFrame);
  songs.PaintTo(songFrame);
  Check("configscreen", configFrame);
  Check("songscreen", songFrame);

  // A different picture must not pass: the comparison is not blind.
  Bitmap shifted = configFrame;
  Canvas(shifted).Draw(3, 0, configFrame);
  EXPECT_GT(DifferentShare(configFrame, shifted), 0.02);
}

}  // namespace
}  // namespace wobbert
