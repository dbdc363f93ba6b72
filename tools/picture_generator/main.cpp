// The picture generator: draws the program's 37 pictures and writes them as RLE8 BMP files,
// picture-00.bmp .. picture-36.bmp, plus contact-sheet.png, into the folder given as its one
// argument. Everything is drawn from fixed seeds, so two runs write the same files.
#include <cstdio>
#include <fstream>
#include <utility>
#include <string>
#include <vector>

#include "contact_sheet.h"
#include "data/picture_catalogue.h"
#include "data/tint_tree.h"
#include "render_picture.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"

namespace {

// A pose as the saver's joyful mode shows it: three quarters size, ground turned dark green,
// doubled, rotated, the white corners filled with the ground and halved again.
wobbert::Bitmap JoyfulRendering(const wobbert::Bitmap& pose, double angle) {
  using namespace wobbert;
  Bitmap figure((pose.Width() * 3) / 4, (pose.Height() * 3) / 4);
  if (pose.Empty()) return figure;
  Canvas canvas(figure);
  canvas.StretchDraw({0, 0, figure.Width(), figure.Height()}, pose);
  for (int y = 0; y < figure.Height(); ++y)
    for (int x = 0; x < figure.Width(); ++x)
      if (figure.Pixel(x, y) == keyMagenta) figure.SetPixel(x, y, Rgb(0, 128, 0));
  DoubleBitmap(figure);
  RotateBitmap(figure, angle);
  const int right = figure.Width() - 1, bottom = figure.Height() - 1;
  for (auto [x, y] : {std::pair{0, 0}, std::pair{right, 0}, std::pair{0, bottom}, std::pair{right, bottom}})
    canvas.FloodFill(x, y, Rgb(255, 255, 255), Rgb(0, 128, 0));
  HalveBitmap(figure);
  return figure;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace wobbert;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argc > 0 ? argv[0] : "picture_generator");
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<Bitmap> pictures(pictureCount);
  for (int index = 0; index < pictureCount; ++index) {
    auto stored = pictures::RenderPicture(index);
    if (!stored) {
      std::fprintf(stderr, "picture %d: %s\n", index, stored.ErrorMessage().c_str());
      return 1;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/picture-%02d.bmp", index);
    if (!WriteFile(folder + name, stored.Value().fileBytes)) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
      return 1;
    }
    pictures[static_cast<std::size_t>(index)] = std::move(stored.Value().bitmap);
  }

  // Tint every tree once, as the program does at start-up, from a fixed seed.
  randomSeed = 20261224u;
  std::vector<Bitmap> tintedPlain, tintedSnowy;
  for (int tree = 0; tree < treeCount; ++tree) {
    tintedPlain.push_back(pictures[static_cast<std::size_t>(tree)]);
    TintTree(tintedPlain.back());
    tintedSnowy.push_back(pictures[static_cast<std::size_t>(firstSnowyTree + tree)]);
    TintTree(tintedSnowy.back());
  }
  const Bitmap joyful = JoyfulRendering(pictures[static_cast<std::size_t>(firstFigurePose + 1)], 30.0);
  if (!pictures::WriteContactSheet(pictures, tintedPlain, tintedSnowy, joyful, folder + "/contact-sheet.png")) {
    std::fprintf(stderr, "cannot write the contact sheet\n");
    return 1;
  }
  return 0;
}
