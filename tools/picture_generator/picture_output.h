// Turning a drawn cairo surface into a picture the program can store.
//
// SurfaceToBitmap gives hard edges against the ground: a pixel whose coverage (alpha) is below
// one half becomes exact magenta, every other pixel its un-premultiplied colour taken as opaque,
// so no pixel is ever a blend with magenta. QuantiseBitmap then brings the picture down to at most
// 256 colours for the RLE8 file. It never mixes colours across the three classes the program
// treats differently: green above red (shaded by the tree tint), red equal to green (snow, left
// alone) and red above green (trunks, the figure's suit); magenta stays exact. With
// limitFigureGreen set, no colour comes out with green >= red + 64 (drawn transparent in a pose).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/result.h"

namespace wobbert::pictures {

Bitmap SurfaceToBitmap(cairo_surface_t* surface);

void QuantiseBitmap(Bitmap& bitmap, bool limitFigureGreen);

// The whole way from a drawn surface to the stored file's bytes and the picture they hold.
struct StoredPicture {
  Bitmap bitmap;
  std::vector<std::uint8_t> fileBytes;
};
Result<StoredPicture> StorePicture(cairo_surface_t* surface, bool isFigure);

}  // namespace wobbert::pictures
