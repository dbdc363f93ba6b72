// Canvas: the drawing surface of a bitmap.
//
// A canvas draws into one Bitmap it does not own. A window's canvas is a canvas on the window's
// back buffer with a change listener: every drawing call reports the rectangle it changed, so the
// backend can present just that part. Every operation clips to the bitmap; none reads or writes
// outside it. Copies are plain source copies, no blending; stretching picks the nearest source
// pixel, so equal sizes give exact copies and doubling gives 2 x 2 blocks.
#pragma once

#include <functional>

#include "toolkit/bitmap.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace wobbert {

class Canvas {
 public:
  using ChangeListener = std::function<void(const Rectangle&)>;

  explicit Canvas(Bitmap& bitmap, ChangeListener onChange = {})
      : bitmap_(&bitmap), onChange_(std::move(onChange)) {}

  Bitmap& Target() const { return *bitmap_; }
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }

  void FillRect(const Rectangle& rect, Color color);
  // Plain copy of the whole source with its top-left corner at (x, y).
  void Draw(int x, int y, const Bitmap& source);
  // The whole source stretched over rect.
  void StretchDraw(const Rectangle& rect, const Bitmap& source);
  // sourceRect of source stretched over destinationRect of this canvas. The two may be the same
  // bitmap when the rectangles do not overlap, or when one is the top-left part of the other and
  // the copy enlarges it (as doubling does).
  void CopyRect(const Rectangle& destinationRect, const Canvas& source, const Rectangle& sourceRect);

  // Outside the bitmap Pixel gives black and SetPixel does nothing.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color color);

  // Fills the 4-connected area of pixels of exactly surfaceColor that contains (x, y) with
  // fillColor. Nothing happens when (x, y) is outside or not of that colour.
  void FloodFill(int x, int y, Color surfaceColor, Color fillColor);

 private:
  void CopyFrom(const Rectangle& destinationRect, const Bitmap& from, const Rectangle& sourceRect);
  void Changed(const Rectangle& rect) const;

  Bitmap* bitmap_;
  ChangeListener onChange_;
};

}  // namespace wobbert
