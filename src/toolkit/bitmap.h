// Bitmap: a 24-bit picture in memory with direct scan-line access.
//
// Pixel layout contract: every bitmap has 24 bits per pixel. In a scan line, pixel x occupies
// bytes 3x, 3x+1, 3x+2 holding blue, green and red. Scan line 0 is the top row. Scan lines are
// padded to a multiple of 4 bytes (the layout of a top-down device-independent bitmap, so a
// backend can hand the memory to the system unchanged). Resizing keeps the content anchored at the
// top-left corner; new area is black.
//
// Drawing operations on a bitmap (fill, copies, stretches, single pixels, flood fill) live in
// Canvas (canvas.h); the pixel operations of the program in pixel_operations.h.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/color.h"

namespace wobbert {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height) { SetSize(width, height); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Bytes from one scan line to the next.
  int Stride() const { return stride_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Negative sizes count as 0.
  void SetSize(int width, int height);

  std::uint8_t* ScanLine(int y) {
    assert(y >= 0 && y < height_);
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
  }
  const std::uint8_t* ScanLine(int y) const {
    assert(y >= 0 && y < height_);
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
  }

  // One pixel as a colour value; (x, y) must lie inside the bitmap.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color color);

  // All scan lines, top first, with their padding.
  const std::uint8_t* Bits() const { return pixels_.data(); }

  bool operator==(const Bitmap& other) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// Bytes of one scan line of the given width, padded to a multiple of 4.
constexpr int StrideFor(int width) { return (width * 3 + 3) & ~3; }

}  // namespace wobbert
