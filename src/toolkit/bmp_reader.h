// Reads BMP files: Windows bitmap version 3 and later headers, bottom-up or top-down rows,
// 8 bits per pixel with a palette (uncompressed or RLE8) and 24 bits per pixel uncompressed.
// The result is always a 24-bit Bitmap (bitmap.h).
//
// The bytes are untrusted: every offset, size and run is checked, and anything malformed,
// truncated or unsupported gives an error, never an access outside the input or the bitmap.
// Pictures larger than 16384 x 16384 are refused. In RLE8 data, pixels that no run reaches
// (skipped by a delta or an early end of line) take palette colour 0.
#pragma once

#include <cstdint>
#include <span>

#include "toolkit/bitmap.h"
#include "toolkit/result.h"

namespace wobbert {

Result<Bitmap> ReadBmp(std::span<const std::uint8_t> bytes);

}  // namespace wobbert
