#include "offscreen_saver.h"

#include "data/picture_catalogue.h"
#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "toolkit/random.h"
#include "wb_main/forest_scene.h"
#include "wb_main/mainscreen.h"

namespace wobbert::tools {

void LoadPicturesSeeded(std::uint32_t seed) {
  LoadAllPictures();
  randomSeed = seed;
  for (int tree = 0; tree < treeCount; ++tree) {
    LoadPicture(tree, plainTrees[static_cast<std::size_t>(tree)]);
    LoadPicture(firstSnowyTree + tree, snowyTrees[static_cast<std::size_t>(tree)]);
  }
}

void ShowSaver(OffscreenView& view) {
  viewWidth = view.screen.Width();
  viewHeight = view.screen.Height();
  PrepareScene();
  BuildForest(view);
  if (!closing) {
    sceneBuildPending = false;
    view.ViewCanvas().Draw(0, 0, sceneBitmap);
  }
}

}  // namespace wobbert::tools
