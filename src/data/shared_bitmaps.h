// The objects that the program's parts share: the stream pictures are decoded through and the
// bitmaps of the trees, the figure, the saver scene and the preview.
//
// They are created empty before any window exists and live for the whole run. The pictures fill
// figurePoses, plainTrees and snowyTrees once at start-up (pictures.h); after that those three
// are only read. ResetSharedBitmaps returns everything to the empty state of start-up: the end of
// a run frees the bitmaps with it, and tests use it between cases.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/picture_catalogue.h"
#include "toolkit/bitmap.h"

namespace wobbert {

// Holds one picture's file bytes while it is decoded; empty between decodes.
extern std::vector<std::uint8_t> imageStream;

extern Bitmap figureBitmap;   // the current pose, ground re-coloured (SelectFigurePose)
extern Bitmap figureBox;      // the saver figure's composition box
extern Bitmap sceneBitmap;    // the saver's forest
extern Bitmap snowScene;      // the same forest with snow-covered trees
extern Bitmap depthMap;       // the forest's depth stamps
extern Bitmap previewBitmap;  // the preview's frame, the dialog's scratch tree

extern std::array<Bitmap, poseCount> figurePoses;
extern std::array<Bitmap, treeCount> plainTrees;
extern std::array<Bitmap, treeCount> snowyTrees;

// The size of figureBitmap's full-size pose, set by SelectFigurePose.
extern int figureWidth;
extern int figureHeight;

void ResetSharedBitmaps();

}  // namespace wobbert
