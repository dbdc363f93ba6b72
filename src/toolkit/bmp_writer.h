// Writes a 24-bit Bitmap as an RLE8-compressed BMP file (Windows bitmap version 3): pixel data at
// offset 1078 after a 40-byte header and a palette of exactly 256 entries; colours used and
// colours important are both 256; resolution 0; rows bottom-up. The palette holds the picture's
// colours in ascending colour-value order, padded with black, so the same picture always gives
// the same bytes. A picture with more than 256 colours cannot be stored and gives an error.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/result.h"

namespace wobbert {

Result<std::vector<std::uint8_t>> WriteRle8Bmp(const Bitmap& bitmap);

}  // namespace wobbert
