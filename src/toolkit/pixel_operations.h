// The pixel operations that all drawing uses, on 24-bit bitmaps (layout: bitmap.h).
//
// Loops clip first and then walk scan lines; only KeyedCopy's key colour is read per pixel
// through a canvas. The only state is RotateBitmap's private scratch bitmap, which lives for the
// whole program. Every bitmap is 24 bits per pixel by construction, so none of these has a
// pixel format to force.
#pragma once

#include <cstdint>

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace wobbert {

void FillBitmap(Bitmap& bitmap, Color color);

// Half size; each output channel is (sum of the 2 x 2 input values + 3) >> 2. An odd last column
// or row is dropped.
void HalveBitmap(Bitmap& bitmap);

// Double size; each input pixel becomes a 2 x 2 block.
void DoubleBitmap(Bitmap& bitmap);

// Rotates the content by angle degrees (positive: counter-clockwise on the screen) about
// (m / 2, m / 2), m = (width + height) div 2, within the same size, on white. Each written pixel
// is the average (rounded down) of the 2 x 2 source pixels at the rounded source position; the
// first and last source column and row are never sampled, so they come out white.
void RotateBitmap(Bitmap& bitmap, double angle);

// Copies source onto destination with its top-left corner at (x, y), leaving out every pixel
// whose colour equals the source's pixel at (1, 1) in all three channels.
void KeyedCopy(const Bitmap& source, int x, int y, Bitmap& destination);

// Copies rect of the source canvas onto the same rect of the destination canvas.
void CopyCanvasRect(const Rectangle& rect, Canvas& destination, const Canvas& source);

// Fills the whole bitmap with the region (x, y, x + width, y + height) of the source canvas.
void GrabRegion(Bitmap& bitmap, int x, int y, const Canvas& source);

// Shades the outline (left, top, right, bottom inclusive) and `depth` rings around it: top and
// left edges darkened, bottom and right edges lightened, fading out toward ring `depth`.
// depth must be at least 1. Pixels outside the bitmap are skipped.
void SunkenFrame(int left, int top, int right, int bottom, int depth, Bitmap& bitmap);

// Shading steps of SunkenFrame for channel value v on ring g of depth d.
constexpr int Darken(int v, int g, int d) { return v * (d + g) / (2 * d); }
constexpr int Lighten(int v, int g, int d) { return v + ((255 - v) * (d - g)) / (2 * d); }

constexpr int ClampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace wobbert
