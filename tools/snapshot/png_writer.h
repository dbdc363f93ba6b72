// Writes a 24-bit Bitmap as a PNG file: 8-bit RGB, no interlace, every row unfiltered, the image
// data in uncompressed deflate blocks. Big files, but no library and no surprises; the snapshot
// tool only needs pictures that any viewer opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/bitmap.h"

namespace wobbert::tools {

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);
// False when the file cannot be written.
bool WritePng(const Bitmap& bitmap, const std::string& path);

}  // namespace wobbert::tools
