// Small synthetic pictures for the saver's forest and figure, and a view that records what the
// drawing code does to it.
//
// Trees are 200 x 40 blocks of one colour per tree index (green plain, whitish snowy), with a
// magenta ground at (1, 1) (the key) and down column 5, so a stamp or a copy that ignores the key
// shows. Poses are blocks of red suit in a one-pixel magenta ring, each a different size.
#pragma once

#include <functional>
#include <vector>

#include "data/shared_bitmaps.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_operations.h"
#include "wb_main/mainscreen.h"
#include "wb_main/saver_view.h"

namespace wobbert::testing {

inline constexpr int testTreeWidth = 200;
inline constexpr int testTreeHeight = 40;
inline constexpr int testKeyColumn = 5;
inline constexpr Color suitRed = Rgb(200, 20, 30);

inline Color PlainTreeColor(int k) { return Rgb(10, 100 + k, 20); }
inline Color SnowyTreeColor(int k) { return Rgb(230, 240, 200 + k); }

inline Bitmap TestTree(Color color) {
  Bitmap tree(testTreeWidth, testTreeHeight);
  FillBitmap(tree, color);
  for (int y = 0; y < testTreeHeight; ++y) tree.SetPixel(testKeyColumn, y, keyMagenta);
  tree.SetPixel(1, 1, keyMagenta);
  return tree;
}

inline bool IsTestKey(int column, int row) { return column == testKeyColumn || (column == 1 && row == 1); }

inline void InstallTestPictures() {
  ResetSharedBitmaps();
  for (int k = 0; k < treeCount; ++k) {
    plainTrees[static_cast<std::size_t>(k)] = TestTree(PlainTreeColor(k));
    snowyTrees[static_cast<std::size_t>(k)] = TestTree(SnowyTreeColor(k));
  }
  for (int p = 0; p < poseCount; ++p) {
    Bitmap pose(40 + 2 * p, 30 + p);
    FillBitmap(pose, keyMagenta);
    Canvas(pose).FillRect({1, 1, pose.Width() - 1, pose.Height() - 1}, suitRed);
    figurePoses[static_cast<std::size_t>(p)] = pose;
  }
}

// A screen-sized view; every change of its canvas is recorded, in order.
class RecordingView final : public SaverView {
 public:
  RecordingView(int width, int height)
      : screen(width, height), canvas_(screen, [this](const Rectangle& rect) { changes.push_back(rect); }) {}

  Canvas& ViewCanvas() override { return canvas_; }
  void ProcessMessages() override {
    ++messageRounds;
    if (onMessages) onMessages(messageRounds);
  }
  void SetCursor(platform::MouseCursor shape) override { cursors.push_back(shape); }
  void CloseAgain() override { ++closeRequests; }
  void StartAnimation() override { ++animationStarts; }

  Bitmap screen;
  std::vector<Rectangle> changes;
  std::vector<platform::MouseCursor> cursors;
  std::function<void(int round)> onMessages;
  int messageRounds = 0;
  int closeRequests = 0;
  int animationStarts = 0;

 private:
  Canvas canvas_;
};

inline void SetScreen(int width, int height) {
  viewWidth = width;
  viewHeight = height;
}

}  // namespace wobbert::testing
