#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "data/picture_catalogue.h"
#include "generator_random.h"

namespace wobbert::pictures {

namespace {

constexpr int cellWidth = 190;
constexpr int cellHeight = 266;
constexpr int columns = 8;
constexpr int sheetWidth = columns * cellWidth;

// An ARGB32 surface of the picture with the magenta ground transparent, or with the saver's
// figure rule (green >= red + 64 is transparent).
cairo_surface_t* KeyedSurface(const Bitmap& bitmap, bool figureRule) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap.Width(), bitmap.Height());
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Color color = bitmap.Pixel(x, y);
      const bool transparent = figureRule ? GreenOf(color) >= RedOf(color) + 64 : color == keyMagenta;
      row[x] = transparent ? 0u
                                   : 0xFF000000u | (std::uint32_t{RedOf(color)} << 16) |
                                         (std::uint32_t{GreenOf(color)} << 8) | BlueOf(color);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void DrawKeyed(cairo_t* cr, const Bitmap& bitmap, double x, double y, bool figureRule = false) {
  if (bitmap.Empty()) return;
  cairo_surface_t* surface = KeyedSurface(bitmap, figureRule);
  cairo_set_source_surface(cr, surface, x, y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_surface_destroy(surface);
}

void DrawCell(cairo_t* cr, const Bitmap& bitmap, int column, int top, const char* label,
              bool figureRule = false) {
  const double left = column * cellWidth;
  if (!bitmap.Empty()) {
    DrawKeyed(cr, bitmap, left + (cellWidth - bitmap.Width()) / 2, top + cellHeight - 14 - bitmap.Height(),
              figureRule);
  }
  cairo_set_source_rgb(cr, 0.55, 0.55, 0.6);
  cairo_move_to(cr, left + 6, top + cellHeight - 2);
  cairo_show_text(cr, label);
}

// Rows of trees from far (top) to near (bottom), each row's slots filled in random order and
// later trees standing a little lower, the way the saver plants its forest.
void DrawForest(cairo_t* cr, const std::vector<Bitmap>& trees, int left, int top, int width, int height,
                std::uint64_t seed) {
  cairo_save(cr);
  cairo_rectangle(cr, left, top, width, height);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  Dice dice(seed);
  const int slots = (width + 120) / 80;
  for (int baseline = 80; baseline < height + 240; baseline += 80) {
    std::vector<int> order(static_cast<std::size_t>(slots) + 1);
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t i = order.size(); i > 1; --i)
      std::swap(order[i - 1], order[static_cast<std::size_t>(dice.Next() % i)]);
    for (std::size_t t = 0; t < order.size(); ++t) {
      const int x = order[t] * 80 - 130 + static_cast<int>(dice.Next() % 20);
      const int y = baseline + static_cast<int>(t) * ((height / 2) / 80);
      const Bitmap& tree = trees[dice.Next() % trees.size()];
      DrawKeyed(cr, tree, left + x, top + y - tree.Height());
    }
  }
  cairo_restore(cr);
}

}  // namespace

bool WriteContactSheet(const std::vector<Bitmap>& pictures, const std::vector<Bitmap>& tintedPlain,
                       const std::vector<Bitmap>& tintedSnowy, const Bitmap& joyfulPose,
                       const std::string& path) {
  constexpr int forestHeight = 520;
  const int sheetHeight = 6 * cellHeight + forestHeight + 8;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth, sheetHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.07, 0.08, 0.11);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);

  char label[32];
  for (int i = 0; i < firstFigurePose; ++i) {
    std::snprintf(label, sizeof label, "%d", i);
    DrawCell(cr, pictures[static_cast<std::size_t>(i)], i % columns, (i / columns) * cellHeight, label);
  }
  const int lastRow = 4 * cellHeight;
  for (int pose = 0; pose < poseCount; ++pose) {
    std::snprintf(label, sizeof label, "%d", firstFigurePose + pose);
    DrawCell(cr, pictures[static_cast<std::size_t>(firstFigurePose + pose)], pose, lastRow, label);
  }
  DrawCell(cr, joyfulPose, 5, lastRow, "joyful", true);
  // Trees after the tint: two in the figure row, eight more below.
  const int tintedChoice[] = {9, 13};
  for (int i = 0; i < 2; ++i) {
    std::snprintf(label, sizeof label, "%d tinted", tintedChoice[i]);
    DrawCell(cr, tintedPlain[static_cast<std::size_t>(tintedChoice[i])], 6 + i, lastRow, label);
  }
  for (int i = 0; i < columns; ++i) {
    const int tree = (i * 5 + 1) % treeCount;
    const bool snowy = i >= 4;
    std::snprintf(label, sizeof label, "%d tinted", snowy ? firstSnowyTree + tree : tree);
    DrawCell(cr, snowy ? tintedSnowy[static_cast<std::size_t>(tree)] : tintedPlain[static_cast<std::size_t>(tree)],
             i, 5 * cellHeight, label);
  }
  const int forestTop = 6 * cellHeight + 8;
  DrawForest(cr, tintedPlain, 0, forestTop, sheetWidth / 2 - 4, forestHeight, 11);
  DrawForest(cr, tintedSnowy, sheetWidth / 2 + 4, forestTop, sheetWidth / 2 - 4, forestHeight, 12);

  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return written;
}

}  // namespace wobbert::pictures
