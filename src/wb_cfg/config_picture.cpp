#include "wb_cfg/config_picture.h"

#include <algorithm>

#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"

namespace wobbert {

Bitmap configBackground;
Bitmap songlistBackground;

namespace {

// Loads a random tree of the kind the snow setting asks for into previewBitmap.
void LoadRandomTree() {
  const int tree = Random(16);
  LoadPicture(settings.snow == 0 ? 100 + tree : 200 + tree, previewBitmap);
}

}  // namespace

void SoftenBitmap(Bitmap& bitmap) {
  const int rowBytes = bitmap.Width() * 3;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int i = 0; i < rowBytes; ++i) row[i] = static_cast<std::uint8_t>(128 + ((row[i] - 128) * 3) / 4);
  }
}

void PaintConfigPicture() {
  Bitmap work(400, 440);
  FillBitmap(work, Rgb(0, 0, 0));

  for (int y = 0; y < 320;) {
    for (int x = 0; x < 360;) {
      LoadRandomTree();
      KeyedCopy(previewBitmap, x + 40 - previewBitmap.Width() / 2, y + 40 - previewBitmap.Height() / 2, work);
      LoadRandomTree();
      KeyedCopy(previewBitmap, x + 40, y + 40, work);
      // A tree that failed to load leaves the scratch bitmap empty; step on all the same.
      x += std::max(1, previewBitmap.Width() / 2);
    }
    y += std::max(1, previewBitmap.Height() / 2);
  }

  SoftenBitmap(work);

  const Canvas workCanvas(work);
  songlistBackground.SetSize(songlistClientWidth, songlistClientHeight);
  Canvas(songlistBackground)
      .CopyRect({0, 0, songlistClientWidth, songlistClientHeight}, workCanvas,
                {0, 40, songlistClientWidth, 40 + songlistClientHeight});
  // Our bitmaps are always 24 bits per pixel, so there is no format to force here.
  SunkenFrame(8, 48, 376, 272, 4, songlistBackground);
  SunkenFrame(8, 280, 376, 312, 4, songlistBackground);

  SunkenFrame(48, 48, 352, 200, 4, work);
  SunkenFrame(48, 208, 352, 320, 4, work);
  SunkenFrame(48, 328, 352, 360, 4, work);
  configBackground.SetSize(configClientWidth, configClientHeight);
  Canvas(configBackground)
      .CopyRect({0, 0, configClientWidth, configClientHeight}, workCanvas,
                {40, 40, 40 + configClientWidth, 40 + configClientHeight});
}

}  // namespace wobbert
