#include "wb_main/forest_scene.h"

#include <cstdint>
#include <vector>

#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/figure_hop.h"
#include "wb_main/mainscreen.h"

namespace wobbert {

namespace {

// CopyTree's kinds.
constexpr int plainTreeKind = 1;
constexpr int snowyTreeKind = 2;

// Writes the tree's depth stamp into the rows below its drawn rows; see the header.
void StampDepth(const Bitmap& tree, int x, int y, const std::vector<std::uint8_t*>& depthRows) {
  const int width = depthMap.Width();
  const int height = static_cast<int>(depthRows.size());
  const int stamp = (y * 256) / (height + forestBelowScreen);
  const int firstColumn = x < 0 ? -x : 0;
  const int endColumn = x + tree.Width() > width ? width - x : tree.Width();
  for (int i = 0; i < tree.Height(); ++i) {
    const int row = y + i;
    if (row < 0) continue;
    if (row >= height) break;
    const std::uint8_t* source = tree.ScanLine(i);
    std::uint8_t* target = depthRows[static_cast<std::size_t>(row)];
    for (int j = firstColumn; j < endColumn; ++j) {
      const std::uint8_t* pixel = source + 3 * j;
      if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) continue;
      target[3 * (x + j) + 2] = static_cast<std::uint8_t>(stamp);
    }
  }
}

}  // namespace

void PrepareScene() {
  sceneBitmap.SetSize(viewWidth, viewHeight);
  snowScene.SetSize(viewWidth, viewHeight);
  depthMap.SetSize(viewWidth, viewHeight);
  sceneBuildPending = true;
  ResetHop();
}

void BuildForest(SaverView& view) {
  Bitmap tree;
  const int width = sceneBitmap.Width();
  const int height = sceneBitmap.Height();
  std::vector<std::uint8_t*> depthRows(static_cast<std::size_t>(height));
  for (int row = 0; row < height; ++row) depthRows[static_cast<std::size_t>(row)] = depthMap.ScanLine(row);

  view.SetCursor(platform::MouseCursor::Hourglass);
  FillBitmap(sceneBitmap, Rgb(0, 0, 0));
  FillBitmap(snowScene, Rgb(0, 0, 0));
  FillBitmap(depthMap, Rgb(0, 0, 0));
  closing = false;

  const bool fallingSnow = settings.snow == 2;
  const int sceneKind = settings.snow == 1 ? snowyTreeKind : plainTreeKind;
  const int lastSlot = LastTreeSlot(width);
  const int rowStep = (height / 2) / treeSlotSpacing;
  std::vector<bool> slotTaken(static_cast<std::size_t>(lastSlot) + 1);
  const Canvas sceneCanvas(sceneBitmap);

  // An empty screen has nothing to plant; the build still ends as usual.
  int rowBaseline = width > 0 && height > 0 ? firstRowBaseline : height + forestBelowScreen;
  while (rowBaseline < height + forestBelowScreen) {
    slotTaken.assign(slotTaken.size(), false);
    for (int t = 0; t <= lastSlot; ++t) {
      int slot = 0;
      do {
        slot = Random(lastSlot + 1);
      } while (slotTaken[static_cast<std::size_t>(slot)]);
      slotTaken[static_cast<std::size_t>(slot)] = true;
      const int x = slot * treeSlotSpacing - 120 - treeSlotSpacing / 8 + Random(treeSlotSpacing / 4);
      const int y = rowBaseline + t * rowStep;
      const int k = Random(treeCount);

      if (fallingSnow) {
        CopyTree(k, snowyTreeKind, tree);
        KeyedCopy(tree, x, y - tree.Height(), snowScene);
      }
      CopyTree(k, sceneKind, tree);
      const int w = tree.Width();
      const int h = tree.Height();
      KeyedCopy(tree, x, y - h, sceneBitmap);
      StampDepth(tree, x, y, depthRows);
      CopyCanvasRect({x, y - h, x + w, y}, view.ViewCanvas(), sceneCanvas);

      view.ProcessMessages();
      if (closing) t = lastSlot;
    }
    if (closing) rowBaseline = height + forestBelowScreen;
    rowBaseline += treeSlotSpacing;
  }

  view.SetCursor(platform::MouseCursor::Arrow);
  if (closing) view.CloseAgain();
  else view.StartAnimation();
}

void SnowfallStep(Canvas& window) {
  const int width = sceneBitmap.Width();
  const int height = sceneBitmap.Height();
  if (width <= 0 || height <= 0 || snowScene.Width() != width || snowScene.Height() != height) return;
  for (int n = 0; n < snowPixelsPerTick; ++n) {
    const int x = Random(width);
    const int y = Random(height);
    const Color color = snowScene.Pixel(x, y);
    sceneBitmap.SetPixel(x, y, color);
    window.SetPixel(x, y, color);
  }
}

}  // namespace wobbert
