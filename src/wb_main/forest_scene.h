// The saver's forest: planted row by row from the top of the screen (far) to the bottom (near),
// with a depth map that lets nearer trees hide the figure, and the falling-snow transition.
//
// Contract: PrepareScene sizes sceneBitmap, snowScene and depthMap to viewWidth x viewHeight and
// resets the hop; BuildForest then plants the forest into them and onto the view, tree by tree,
// handling the view's messages after each tree and stopping after the tree in progress once
// `closing` is set. A tree drawn with its baseline at y over rows y - h .. y - 1 stamps the depth
// map one picture height lower, rows y .. y + h - 1, with (y * 256) div (H + 240); nearer trees
// stamp larger values and overwrite farther ones. Only the red byte of depthMap is used.
//
// Limits: every table is sized to the screen, so any size works, 4K and beyond included; a screen
// of width or height 0 plants nothing. SnowfallStep does nothing unless snowScene matches
// sceneBitmap in size.
#pragma once

#include "toolkit/canvas.h"
#include "wb_main/saver_view.h"

namespace wobbert {

// Forest geometry, in pixels.
inline constexpr int treeSlotSpacing = 80;   // between column slots, and between rows
inline constexpr int firstRowBaseline = 80;  // baseline of the farthest row
inline constexpr int forestBelowScreen = 240;  // rows are planted while y0 < H + this
inline constexpr int snowPixelsPerTick = 256;

// Column slots 0..N of a row on a screen `width` wide: N = (width + 120) div 80.
constexpr int LastTreeSlot(int width) { return (width + 120) / treeSlotSpacing; }

void PrepareScene();
void BuildForest(SaverView& view);
// Turns snowPixelsPerTick random pixels of the scene and the window into their snowy colour.
void SnowfallStep(Canvas& window);

}  // namespace wobbert
