#include "toolkit/pixel_operations.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>
#include <vector>

#include "toolkit/rounding.h"

namespace wobbert {

namespace {

// RotateBitmap's work area, kept between calls so a rotation per frame allocates nothing.
Bitmap rotateScratch;

}  // namespace

void FillBitmap(Bitmap& bitmap, Color color) {
  Canvas(bitmap).FillRect({0, 0, bitmap.Width(), bitmap.Height()}, color);
}

void HalveBitmap(Bitmap& bitmap) {
  const int halfWidth = bitmap.Width() / 2;
  const int halfHeight = bitmap.Height() / 2;
  // Output pixel (b, a) lands at or before every input pixel it reads, so in-place is safe.
  for (int a = 0; a < halfHeight; ++a) {
    const std::uint8_t* upper = bitmap.ScanLine(2 * a);
    const std::uint8_t* lower = bitmap.ScanLine(2 * a + 1);
    std::uint8_t* out = bitmap.ScanLine(a);
    for (int b = 0; b < halfWidth; ++b) {
      for (int k = 0; k < 3; ++k) {
        const int sum = upper[6 * b + k] + upper[6 * b + 3 + k] + lower[6 * b + k] + lower[6 * b + 3 + k];
        out[3 * b + k] = static_cast<std::uint8_t>((sum + 3) >> 2);
      }
    }
  }
  bitmap.SetSize(halfWidth, halfHeight);
}

void DoubleBitmap(Bitmap& bitmap) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  bitmap.SetSize(2 * w, 2 * h);
  Canvas canvas(bitmap);
  canvas.CopyRect({0, 0, 2 * w, 2 * h}, canvas, {0, 0, w, h});
}

void RotateBitmap(Bitmap& bitmap, double angle) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  rotateScratch.SetSize(w, h);
  FillBitmap(rotateScratch, Rgb(255, 255, 255));

  const double theta = angle * std::numbers::pi / 180.0;
  const double sn = std::sin(theta);
  const double cs = std::cos(theta);
  const int m = (w + h) / 2;
  const double centre = m / 2.0;

  // Products of every column and row offset with sine and cosine, sized to the bitmap.
  const int tableSize = std::max(w, h) + 1;
  std::vector<double> sines(static_cast<std::size_t>(tableSize));
  std::vector<double> cosines(static_cast<std::size_t>(tableSize));
  for (int k = 0; k < tableSize; ++k) {
    sines[static_cast<std::size_t>(k)] = (k - centre) * sn;
    cosines[static_cast<std::size_t>(k)] = (k - centre) * cs;
  }

  for (int y = 0; y < h; ++y) {
    std::uint8_t* out = rotateScratch.ScanLine(y);
    const double sinY = sines[static_cast<std::size_t>(y)];
    const double cosY = cosines[static_cast<std::size_t>(y)];
    for (int x = 0; x < w; ++x) {
      const int sx = RoundHalfEven(cosines[static_cast<std::size_t>(x)] - sinY + centre);
      const int sy = RoundHalfEven(cosY + sines[static_cast<std::size_t>(x)] + centre);
      if (sx <= 0 || sx >= w - 1 || sy <= 0 || sy >= h - 1) continue;
      const std::uint8_t* upper = bitmap.ScanLine(sy) + 3 * sx;
      const std::uint8_t* lower = bitmap.ScanLine(sy + 1) + 3 * sx;
      for (int k = 0; k < 3; ++k) {
        out[3 * x + k] = static_cast<std::uint8_t>((upper[k] + upper[3 + k] + lower[k] + lower[3 + k]) >> 2);
      }
    }
  }
  Canvas(bitmap).Draw(0, 0, rotateScratch);
}

void KeyedCopy(const Bitmap& source, int x, int y, Bitmap& destination) {
  // The key is the source's pixel at (1, 1), not (0, 0); a source too small to have one keys black.
  const Color key = source.Width() > 1 && source.Height() > 1 ? source.Pixel(1, 1) : Rgb(0, 0, 0);
  const std::uint8_t keyBlue = BlueOf(key), keyGreen = GreenOf(key), keyRed = RedOf(key);
  // Clip once; the loops below then need no per-pixel bounds tests.
  const int firstRow = std::max(0, -y);
  const int lastRow = std::min(source.Height(), destination.Height() - y);
  const int firstColumn = std::max(0, -x);
  const int lastColumn = std::min(source.Width(), destination.Width() - x);
  if (firstColumn >= lastColumn) return;
  for (int i = firstRow; i < lastRow; ++i) {
    const std::uint8_t* in = source.ScanLine(i) + 3 * firstColumn;
    std::uint8_t* out = destination.ScanLine(y + i) + 3 * (x + firstColumn);
    for (int j = firstColumn; j < lastColumn; ++j, in += 3, out += 3) {
      if (in[0] != keyBlue || in[1] != keyGreen || in[2] != keyRed) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
    }
  }
}

void CopyCanvasRect(const Rectangle& rect, Canvas& destination, const Canvas& source) {
  destination.CopyRect(rect, source, rect);
}

void GrabRegion(Bitmap& bitmap, int x, int y, const Canvas& source) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  Canvas(bitmap).CopyRect({0, 0, w, h}, source, {x, y, x + w, y + h});
}

void SunkenFrame(int left, int top, int right, int bottom, int depth, Bitmap& bitmap) {
  assert(depth >= 1);
  auto shade = [&bitmap](int x, int y, auto step) {
    if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return;
    std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(step(p[k]));
  };
  for (int g = 0; g <= depth; ++g) {
    auto darken = [g, depth](int v) { return Darken(v, g, depth); };
    auto lighten = [g, depth](int v) { return Lighten(v, g, depth); };
    for (int x = left - g; x <= right + g; ++x) shade(x, top - g, darken);
    for (int y = top - g + 1; y <= bottom + g - 1; ++y) shade(left - g, y, darken);
    for (int x = left - g + 1; x <= right + g; ++x) shade(x, bottom + g, lighten);
    for (int y = top - g + 1; y <= bottom + g - 1; ++y) shade(right + g, y, lighten);
  }
}

}  // namespace wobbert
