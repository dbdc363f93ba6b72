#include "toolkit/canvas.h"

#include <cstring>
#include <utility>
#include <vector>

namespace wobbert {

namespace {

Rectangle Bounds(const Bitmap& bitmap) { return {0, 0, bitmap.Width(), bitmap.Height()}; }

void WritePixel(std::uint8_t* p, Color color) {
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

bool PixelIs(const std::uint8_t* p, Color color) {
  return p[0] == BlueOf(color) && p[1] == GreenOf(color) && p[2] == RedOf(color);
}

}  // namespace

void Canvas::Changed(const Rectangle& rect) const {
  if (onChange_ && !rect.Empty()) onChange_(rect);
}

void Canvas::FillRect(const Rectangle& rect, Color color) {
  const Rectangle clipped = Intersection(rect, Bounds(*bitmap_));
  if (clipped.Empty()) return;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    std::uint8_t* p = bitmap_->ScanLine(y) + 3 * clipped.left;
    for (int x = clipped.left; x < clipped.right; ++x, p += 3) WritePixel(p, color);
  }
  Changed(clipped);
}

void Canvas::Draw(int x, int y, const Bitmap& source) {
  const Rectangle rect{x, y, x + source.Width(), y + source.Height()};
  const Rectangle clipped = Intersection(rect, Bounds(*bitmap_));
  if (clipped.Empty()) return;
  const std::size_t bytes = static_cast<std::size_t>(clipped.Width()) * 3;
  for (int row = clipped.top; row < clipped.bottom; ++row) {
    std::memmove(bitmap_->ScanLine(row) + 3 * clipped.left,
                 source.ScanLine(row - y) + 3 * (clipped.left - x), bytes);
  }
  Changed(clipped);
}

void Canvas::StretchDraw(const Rectangle& rect, const Bitmap& source) {
  CopyFrom(rect, source, Bounds(source));
}

void Canvas::CopyRect(const Rectangle& destinationRect, const Canvas& source,
                      const Rectangle& sourceRect) {
  CopyFrom(destinationRect, *source.bitmap_, sourceRect);
}

void Canvas::CopyFrom(const Rectangle& destinationRect, const Bitmap& from,
                      const Rectangle& sourceRect) {
  if (destinationRect.Empty() || sourceRect.Empty()) return;
  const Rectangle clipped = Intersection(destinationRect, Bounds(*bitmap_));
  if (clipped.Empty()) return;
  const int dw = destinationRect.Width(), dh = destinationRect.Height();
  const int sw = sourceRect.Width(), sh = sourceRect.Height();

  // Source column and row of each destination column and row (nearest pixel, rounding down).
  auto sourceColumn = [&](int x) {
    return sourceRect.left + static_cast<int>(static_cast<long long>(x - destinationRect.left) * sw / dw);
  };
  auto sourceRow = [&](int y) {
    return sourceRect.top + static_cast<int>(static_cast<long long>(y - destinationRect.top) * sh / dh);
  };

  std::vector<int> columns;
  columns.reserve(static_cast<std::size_t>(clipped.Width()));
  for (int x = clipped.left; x < clipped.right; ++x) columns.push_back(sourceColumn(x));

  // Enlarging within one bitmap (the source is the top-left part of the destination) must read
  // each source row before it is overwritten: walk bottom-up and right-to-left.
  const bool sameBitmap = &from == bitmap_;
  std::vector<std::uint8_t> rowCopy;
  for (int i = 0; i < clipped.Height(); ++i) {
    const int y = sameBitmap ? clipped.bottom - 1 - i : clipped.top + i;
    const int sy = sourceRow(y);
    std::uint8_t* out = bitmap_->ScanLine(y) + 3 * clipped.left;
    if (sy < 0 || sy >= from.Height()) continue;
    const std::uint8_t* in = from.ScanLine(sy);
    if (sameBitmap) {
      rowCopy.assign(in, in + 3 * from.Width());
      in = rowCopy.data();
    }
    for (std::size_t k = 0; k < columns.size(); ++k, out += 3) {
      const int sx = columns[k];
      if (sx < 0 || sx >= from.Width()) continue;
      std::memcpy(out, in + 3 * sx, 3);
    }
  }
  Changed(clipped);
}

Color Canvas::Pixel(int x, int y) const {
  if (!Bounds(*bitmap_).Contains(x, y)) return Rgb(0, 0, 0);
  return bitmap_->Pixel(x, y);
}

void Canvas::SetPixel(int x, int y, Color color) {
  if (!Bounds(*bitmap_).Contains(x, y)) return;
  bitmap_->SetPixel(x, y, color);
  Changed({x, y, x + 1, y + 1});
}

void Canvas::FloodFill(int x, int y, Color surfaceColor, Color fillColor) {
  Bitmap& b = *bitmap_;
  if (!Bounds(b).Contains(x, y) || surfaceColor == fillColor) return;
  if (!PixelIs(b.ScanLine(y) + 3 * x, surfaceColor)) return;
  Rectangle changed{x, y, x + 1, y + 1};
  // Scan-line fill: a stack of seeds, each filled left and right to the ends of its run.
  std::vector<std::pair<int, int>> seeds{{x, y}};
  while (!seeds.empty()) {
    auto [sx, sy] = seeds.back();
    seeds.pop_back();
    std::uint8_t* row = b.ScanLine(sy);
    if (!PixelIs(row + 3 * sx, surfaceColor)) continue;
    int left = sx, right = sx;
    while (left > 0 && PixelIs(row + 3 * (left - 1), surfaceColor)) --left;
    while (right + 1 < b.Width() && PixelIs(row + 3 * (right + 1), surfaceColor)) ++right;
    for (int i = left; i <= right; ++i) WritePixel(row + 3 * i, fillColor);
    changed = {std::min(changed.left, left), std::min(changed.top, sy),
               std::max(changed.right, right + 1), std::max(changed.bottom, sy + 1)};
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= b.Height()) continue;
      const std::uint8_t* next = b.ScanLine(ny);
      bool inRun = false;
      for (int i = left; i <= right; ++i) {
        const bool match = PixelIs(next + 3 * i, surfaceColor);
        if (match && !inRun) seeds.emplace_back(i, ny);
        inRun = match;
      }
    }
  }
  Changed(changed);
}

}  // namespace wobbert
