// The dialogs' background pictures: randomly scattered, softened Christmas trees with sunken
// frames, painted anew each time the configuration dialog is shown.
//
// PaintConfigPicture fills `configBackground` (320 x 328, the configuration dialog's client area)
// and `songlistBackground` (384 x 320, the song list dialog's) from one scatter of trees: green
// trees when `snow` is 0, snow-covered ones otherwise. It draws random numbers (tree choices and
// the trees' tints) from the program's generator, so a fixed seed gives a fixed picture. Each
// tree passes through the shared scratch bitmap `previewBitmap`.
#pragma once

#include "toolkit/bitmap.h"

namespace wobbert {

extern Bitmap configBackground;
extern Bitmap songlistBackground;

inline constexpr int configClientWidth = 320;
inline constexpr int configClientHeight = 328;
inline constexpr int songlistClientWidth = 384;
inline constexpr int songlistClientHeight = 320;

void PaintConfigPicture();

// Cuts the contrast of every channel to three quarters around mid-grey: v becomes
// 128 + ((v - 128) * 3) / 4, the division truncating toward zero.
void SoftenBitmap(Bitmap& bitmap);

}  // namespace wobbert
