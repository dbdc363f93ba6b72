// Icon files (.ico) made from one of our pictures, for the resources of wobbert.scr.
//
// MakeIcon takes a picture on its key-colour ground (the colour of the pixel at column 1, row 1,
// as KeyedCopy reads it), crops it to what is not ground, and writes one 32-bit image per size,
// each a square with the picture scaled to fit, centred, every target pixel the average of the
// source pixels it covers: alpha is the share of them that are not ground. The AND mask marks
// the pixels with no coverage at all. The output is deterministic: the same picture gives the
// same bytes. A picture that is all ground gives an error.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/result.h"

namespace wobbert::tools {

Result<std::vector<std::uint8_t>> MakeIcon(const Bitmap& picture, std::span<const int> sizes);

}  // namespace wobbert::tools
