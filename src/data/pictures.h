// The program's 37 embedded pictures (catalogue: picture_catalogue.h), decoded into the shared
// bitmaps (shared_bitmaps.h), and the two copies the saver and the preview make of them.
//
// Picture numbers: 0..36 are indices; 100..199 stand for index n - 100 and 200..255 for
// index n - 184 (so 200..215 are the snowy trees), the numbering the configuration dialog uses.
// Every tree is shaded by TintTree as it is loaded, with fresh random values each time; the
// figure's poses are not. Numbers that lead to no picture and tree or pose indices out of range
// are refused with false and leave the target as it was.
#pragma once

#include <cstdint>
#include <span>

#include "toolkit/bitmap.h"

namespace wobbert {

// The index a picture number stands for, or -1 when it stands for none.
int PictureIndexFor(int number);

// The embedded file of picture index 0..36; empty for any other index.
std::span<const std::uint8_t> PictureFile(int index);

// Decodes picture `number` into bitmap through imageStream, replacing its size and content.
bool LoadPicture(int number, Bitmap& bitmap);

// Fills plainTrees, snowyTrees and figurePoses, seeding the random generator from the clock
// first. Called once at start-up.
void LoadAllPictures();

// Makes bitmap a copy of plainTrees[tree] when kind is 1, of snowyTrees[tree] otherwise.
bool CopyTree(int tree, int kind, Bitmap& bitmap);

// Makes figureBitmap a copy of figurePoses[pose] with its magenta ground turned RGB(0, 128, 0),
// and sets figureWidth and figureHeight to its size.
bool SelectFigurePose(int pose);

}  // namespace wobbert
