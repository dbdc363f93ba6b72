// The saver's picture without a display: a SaverView over a bitmap of its own, and the loading
// of the pictures from a fixed seed, for the snapshot tool and the benchmarks.
//
// The view handles no messages (nothing can close it during a build) and remembers how the build
// ended. LoadPicturesSeeded loads every picture as start-up does, then loads the trees again
// from `seed`, so the trees' random tints, and every draw after them, repeat from run to run.
#pragma once

#include <cstdint>

#include "toolkit/bitmap.h"
#include "wb_main/saver_view.h"

namespace wobbert::tools {

class OffscreenView final : public SaverView {
 public:
  OffscreenView(int width, int height) : screen(width, height), canvas_(screen) {}

  Canvas& ViewCanvas() override { return canvas_; }
  void ProcessMessages() override {}
  void SetCursor(platform::MouseCursor) override {}
  void CloseAgain() override { closedAgain = true; }
  void StartAnimation() override { animationStarted = true; }

  Bitmap screen;
  bool closedAgain = false;
  bool animationStarted = false;

 private:
  Canvas canvas_;
};

void LoadPicturesSeeded(std::uint32_t seed);

// Sets the screen size, prepares the scene and builds the forest onto the view, as the saver
// window's show and first paint do, then paints the whole scene as the paint does.
void ShowSaver(OffscreenView& view);

}  // namespace wobbert::tools
