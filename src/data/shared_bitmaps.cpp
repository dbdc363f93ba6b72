#include "data/shared_bitmaps.h"

namespace wobbert {

std::vector<std::uint8_t> imageStream;

Bitmap figureBitmap;
Bitmap figureBox;
Bitmap sceneBitmap;
Bitmap snowScene;
Bitmap depthMap;
Bitmap previewBitmap;

std::array<Bitmap, poseCount> figurePoses;
std::array<Bitmap, treeCount> plainTrees;
std::array<Bitmap, treeCount> snowyTrees;

int figureWidth = 0;
int figureHeight = 0;

void ResetSharedBitmaps() {
  // Swapping with empty objects gives the memory back, not just the sizes.
  std::vector<std::uint8_t>().swap(imageStream);
  for (Bitmap* bitmap : {&figureBox, &sceneBitmap, &snowScene, &previewBitmap, &depthMap, &figureBitmap})
    *bitmap = Bitmap();
  for (auto& pose : figurePoses) pose = Bitmap();
  for (auto& tree : plainTrees) tree = Bitmap();
  for (auto& tree : snowyTrees) tree = Bitmap();
  figureWidth = 0;
  figureHeight = 0;
}

}  // namespace wobbert
