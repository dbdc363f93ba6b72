// The random colour shading every tree picture gets as it is loaded.
//
// Two random integers a and b in 0..15 are drawn, a first. Each row y of an h-row picture gets
// f = ((h - y) * 48) div h - 32 (+16 on the top row, down to -32 at the foot). Pixels with red at
// least green (the magenta ground, trunks, snow) stay as they are; greenish pixels become
//   red + a + f,  green + a + b + f,  blue + f - 32,  each clamped to 0..255.
// So a tree leans toward yellow with a, toward green with b, and is lit from above.
#pragma once

#include "toolkit/bitmap.h"

namespace wobbert {

void TintTree(Bitmap& bitmap);

}  // namespace wobbert
