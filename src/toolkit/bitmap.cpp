#include "toolkit/bitmap.h"

#include <algorithm>
#include <cstring>

namespace wobbert {

void Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  const int stride = StrideFor(width);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  const int keptRows = std::min(height, height_);
  const std::size_t keptBytes = static_cast<std::size_t>(std::min(width, width_)) * 3;
  for (int y = 0; y < keptRows; ++y) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride),
                ScanLine(y), keptBytes);
  }
  width_ = width;
  height_ = height;
  stride_ = stride;
  pixels_ = std::move(pixels);
}

Color Bitmap::Pixel(int x, int y) const {
  assert(x >= 0 && x < width_);
  const std::uint8_t* p = ScanLine(y) + 3 * x;
  return Rgb(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, Color color) {
  assert(x >= 0 && x < width_);
  std::uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

bool Bitmap::operator==(const Bitmap& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) {
    if (std::memcmp(ScanLine(y), other.ScanLine(y), rowBytes) != 0) return false;
  }
  return true;
}

}  // namespace wobbert
