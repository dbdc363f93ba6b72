// The forest build and the falling snow on synthetic trees: where the trees stand (one per slot,
// later trees lower), where their depth stamps go, what an exit during the build leaves, and the
// snowy twin of the forest.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "saver_pictures.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/forest_scene.h"

namespace wobbert {
namespace {

using testing::RecordingView;

struct PlantedTree {
  int x;
  int y;  // baseline
};

// The trees as the window saw them: one copied rectangle per tree, clipped to the screen.
std::vector<PlantedTree> TreesSeen(const RecordingView& view) {
  std::vector<PlantedTree> trees;
  for (const Rectangle& rect : view.changes) {
    const int x = rect.left > 0 ? rect.left : rect.right - testing::testTreeWidth;
    trees.push_back({x, rect.top + testing::testTreeHeight});
  }
  return trees;
}

class ForestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallTestPictures();
    settings = Settings();
    closing = true;  // a build must clear it
    randomSeed = 20231224;
  }
  void TearDown() override { ResetSharedBitmaps(); }

  RecordingView& Build(int width, int height) {
    testing::SetScreen(width, height);
    view = std::make_unique<RecordingView>(width, height);
    PrepareScene();
    BuildForest(*view);
    return *view;
  }

  std::unique_ptr<RecordingView> view;
};

// Rows that lie wholly on the screen: every slot once, its offset within 0..19, and the t-th
// tree t x ((H div 2) div 80) below the row's baseline.
void ExpectRowsPlantedBySlots(const std::vector<PlantedTree>& trees, int width, int height, int fullRows) {
  const int lastSlot = LastTreeSlot(width);
  const int perRow = lastSlot + 1;
  const int rowStep = (height / 2) / 80;
  ASSERT_GE(trees.size(), static_cast<std::size_t>(fullRows * perRow));
  bool someRowOutOfOrder = false;
  for (int row = 0; row < fullRows; ++row) {
    std::set<int> slots;
    int previousSlot = -1;
    for (int t = 0; t < perRow; ++t) {
      const PlantedTree& tree = trees[static_cast<std::size_t>(row * perRow + t)];
      const int slot = (tree.x + 130) / 80;
      const int offset = tree.x + 130 - slot * 80;
      EXPECT_GE(offset, 0);
      EXPECT_LT(offset, 20);
      EXPECT_EQ(tree.y, 80 + row * 80 + t * rowStep) << "row " << row << " tree " << t;
      slots.insert(slot);
      if (slot < previousSlot) someRowOutOfOrder = true;
      previousSlot = slot;
    }
    EXPECT_EQ(slots.size(), static_cast<std::size_t>(perRow)) << "row " << row;
    EXPECT_EQ(*slots.begin(), 0);
    EXPECT_EQ(*slots.rbegin(), lastSlot);
  }
  EXPECT_TRUE(someRowOutOfOrder) << "slots are taken in a random order";
}

TEST_F(ForestTest, EverySlotOfARowGetsOneTreeAndLaterTreesStandLower) {
  RecordingView& built = Build(1024, 768);
  EXPECT_EQ(LastTreeSlot(1024), 14);
  ExpectRowsPlantedBySlots(TreesSeen(built), 1024, 768, 8);
  EXPECT_EQ(built.animationStarts, 1);
  EXPECT_EQ(built.closeRequests, 0);
  EXPECT_FALSE(closing);
  ASSERT_EQ(built.cursors.size(), 2u);
  EXPECT_EQ(built.cursors.front(), platform::MouseCursor::Hourglass);
  EXPECT_EQ(built.cursors.back(), platform::MouseCursor::Arrow);
  // Rows go on while y0 < H + 240: 80 .. 960, so trees with baselines up to 960 + 14 x 4.
  EXPECT_EQ(built.messageRounds, 12 * 15);
}

// The depth map against the stamps the seen trees must have left: one picture height below the
// drawn rows, (y * 256) div (H + 240), nearer trees over farther ones, none on the key colour.
void ExpectDepthStamps(const std::vector<PlantedTree>& trees, int width, int height) {
  std::vector<int> expected(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  for (const PlantedTree& tree : trees) {
    const int stamp = tree.y * 256 / (height + 240);
    for (int i = 0; i < testing::testTreeHeight; ++i) {
      const int row = tree.y + i;
      if (row >= height) break;
      for (int j = 0; j < testing::testTreeWidth; ++j) {
        const int column = tree.x + j;
        if (column < 0 || column >= width || testing::IsTestKey(j, i)) continue;
        expected[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)] = stamp;
      }
    }
  }
  int mismatches = 0;
  int deepest = -1;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* line = depthMap.ScanLine(y);
    for (int x = 0; x < width && mismatches < 5; ++x) {
      const int want = expected[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
      if (line[3 * x + 2] != want || line[3 * x] != 0 || line[3 * x + 1] != 0) {
        ADD_FAILURE() << "depth at (" << x << ", " << y << ") is " << int{line[3 * x + 2]} << ", want " << want;
        ++mismatches;
      }
      if (line[3 * x + 2] != 0) deepest = y;
    }
  }
  EXPECT_EQ(deepest, height - 1) << "the nearest rows are stamped down to the bottom edge";
}

TEST_F(ForestTest, DepthStampsLieOnePictureHeightBelowTheDrawnRows) {
  RecordingView& built = Build(1024, 768);
  ExpectDepthStamps(TreesSeen(built), 1024, 768);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 1024; ++x) ASSERT_EQ(depthMap.ScanLine(y)[3 * x + 2], 0) << "row " << y;
}

TEST_F(ForestTest, AFourKScreenIsPlantedAndStampedToItsLastRow) {
  RecordingView& built = Build(3840, 2160);
  const std::vector<PlantedTree> trees = TreesSeen(built);
  ExpectRowsPlantedBySlots(trees, 3840, 2160, 18);
  ExpectDepthStamps(trees, 3840, 2160);
}

TEST_F(ForestTest, TheSceneShowsEachTreeOverTheFartherOnesAndTheWindowShowsTheScene) {
  RecordingView& built = Build(640, 480);
  // The last tree that covers a pixel (not with its key) gives the pixel its colour: a plain tree.
  int treePixels = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const Color color = sceneBitmap.Pixel(x, y);
      if (color != Rgb(0, 0, 0)) {
        ++treePixels;
        ASSERT_EQ(RedOf(color), 10);
        ASSERT_EQ(built.screen.Pixel(x, y), color);
      }
    }
  EXPECT_GT(treePixels, 640 * 480 / 4);
  // Falling snow is off: the snowy forest is never drawn.
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_EQ(snowScene.Pixel(x, y), Rgb(0, 0, 0));
}

TEST_F(ForestTest, AnExitDuringTheFirstRowStopsAfterTheTreeInProgress) {
  testing::SetScreen(1024, 768);
  RecordingView built(1024, 768);
  built.onMessages = [](int round) {
    if (round == 3) closing = true;
  };
  PrepareScene();
  BuildForest(built);
  EXPECT_EQ(TreesSeen(built).size(), 3u);
  EXPECT_EQ(built.messageRounds, 3);
  EXPECT_EQ(built.closeRequests, 1);
  EXPECT_EQ(built.animationStarts, 0);
  EXPECT_TRUE(closing);
  int black = 0;
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) black += built.screen.Pixel(x, y) == Rgb(0, 0, 0);
  EXPECT_GT(black, 1024 * 768 * 9 / 10);
}

TEST_F(ForestTest, SnowySettingPlantsSnowyTreesInTheScene) {
  settings.snow = 1;
  Build(640, 480);
  int snowy = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const Color color = sceneBitmap.Pixel(x, y);
      if (color == Rgb(0, 0, 0)) continue;
      ASSERT_EQ(RedOf(color), 230);
      ++snowy;
    }
  EXPECT_GT(snowy, 0);
}

TEST_F(ForestTest, FallingSnowBuildsTheSnowyTwinAndTurnsItInPixelByPixel) {
  settings.snow = 2;
  RecordingView& built = Build(640, 480);
  // The same forest: every green pixel of tree k has the snowy colour of tree k in the twin.
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const Color plain = sceneBitmap.Pixel(x, y);
      const Color snowy = snowScene.Pixel(x, y);
      if (plain == Rgb(0, 0, 0)) {
        ASSERT_EQ(snowy, Rgb(0, 0, 0));
        continue;
      }
      ASSERT_EQ(RedOf(plain), 10) << "the window shows green trees after the build";
      ASSERT_EQ(BlueOf(snowy) - 200, GreenOf(plain) - 100) << "at " << x << ", " << y;
    }

  built.changes.clear();
  const std::uint32_t seedBefore = randomSeed;
  SnowfallStep(built.ViewCanvas());
  ASSERT_EQ(built.changes.size(), static_cast<std::size_t>(snowPixelsPerTick));
  for (const Rectangle& pixel : built.changes) {
    ASSERT_EQ(pixel.Width(), 1);
    ASSERT_EQ(pixel.Height(), 1);
    EXPECT_EQ(built.screen.Pixel(pixel.left, pixel.top), snowScene.Pixel(pixel.left, pixel.top));
    EXPECT_EQ(sceneBitmap.Pixel(pixel.left, pixel.top), snowScene.Pixel(pixel.left, pixel.top));
  }
  // Column first, then row.
  randomSeed = seedBefore;
  const int x = Random(640);
  const int y = Random(480);
  EXPECT_EQ(built.changes.front(), (Rectangle{x, y, x + 1, y + 1}));
}

TEST_F(ForestTest, AnEmptyScreenPlantsNothingAndStillStartsTheAnimation) {
  RecordingView& built = Build(0, 0);
  EXPECT_TRUE(built.changes.empty());
  EXPECT_EQ(built.animationStarts, 1);
  SnowfallStep(built.ViewCanvas());
  EXPECT_TRUE(built.changes.empty());
}

}  // namespace
}  // namespace wobbert
