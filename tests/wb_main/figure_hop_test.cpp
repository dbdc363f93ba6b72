// The figure's hop on synthetic poses over a hand-made scene and depth map: the tick's rhythm,
// poses, the depth that hides the figure, the sideways nudge and its edges, the joyful turn at the
// screen edges, and screens too small for a hop.
#include <gtest/gtest.h>

#include <set>

#include "saver_pictures.h"
#include "toolkit/random.h"
#include "toolkit/rounding.h"
#include "wb_cfg/settings.h"
#include "wb_main/figure_hop.h"
#include "wb_main/forest_scene.h"

namespace wobbert {
namespace {

using testing::RecordingView;

constexpr Color sceneColor = Rgb(0, 60, 0);

void FillDepth(int stamp) { FillBitmap(depthMap, Rgb(stamp, 0, 0)); }
void SetDepth(int x, int y, int stamp) { depthMap.SetPixel(x, y, Rgb(stamp, 0, 0)); }
// Stamps growing toward the bottom, as a forest leaves them: the figure shows above its ground line.
void FillDepthDownhill() {
  for (int y = 0; y < depthMap.Height(); ++y)
    for (int x = 0; x < depthMap.Width(); ++x) SetDepth(x, y, 1 + y * 254 / depthMap.Height());
}

class HopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallTestPictures();
    settings = Settings();
    randomSeed = 4711;
    Screen(400, 300);
  }
  void TearDown() override { ResetSharedBitmaps(); }

  // A scene of one colour with no stamps, shown on the view; the hop freshly reset.
  void Screen(int width, int height) {
    testing::SetScreen(width, height);
    PrepareScene();
    FillBitmap(sceneBitmap, sceneColor);
    FillDepth(0);
    view = std::make_unique<RecordingView>(width, height);
    view->ViewCanvas().Draw(0, 0, sceneBitmap);
    view->changes.clear();
  }

  int PixelsUnlikeTheScene() const {
    int count = 0;
    for (int y = 0; y < view->screen.Height(); ++y)
      for (int x = 0; x < view->screen.Width(); ++x) count += view->screen.Pixel(x, y) != sceneBitmap.Pixel(x, y);
    return count;
  }

  std::unique_ptr<RecordingView> view;
};

TEST_F(HopTest, TheFirstTwoTicksStartHopsAndEveryHopThenLastsSixtyFourTicks) {
  EXPECT_EQ(jumpPhase, -1);
  AnimationTick(view->ViewCanvas());
  AnimationTick(view->ViewCanvas());
  EXPECT_TRUE(view->changes.empty()) << "the first two ticks draw nothing";
  EXPECT_EQ(jumpPhase, 1);
  const int pose = poseIndex;
  for (int tick = 0; tick < 63; ++tick) {
    view->changes.clear();
    AnimationTick(view->ViewCanvas());
    EXPECT_EQ(view->changes.size(), 1u) << "one copy of the box per drawing tick";
    EXPECT_EQ(poseIndex, pose);
  }
  EXPECT_EQ(jumpPhase, 0);
  view->changes.clear();
  AnimationTick(view->ViewCanvas());
  EXPECT_TRUE(view->changes.empty());
  EXPECT_NE(poseIndex, pose);
}

TEST_F(HopTest, APoseNeverRepeatsInTwoConsecutiveHops) {
  std::set<int> seen;
  int previous = poseIndex;
  for (int hop = 0; hop < 200; ++hop) {
    StartHop();
    ASSERT_NE(poseIndex, previous);
    ASSERT_GE(poseIndex, 0);
    ASSERT_LT(poseIndex, poseCount);
    EXPECT_EQ(figureWidth, figurePoses[static_cast<std::size_t>(poseIndex)].Width());
    EXPECT_GE(figureBase, 2 * RoundHalfEven(figureHeight * hopScale));
    EXPECT_LT(figureBase, 300);
    EXPECT_GE(figureX, 0);
    EXPECT_LE(figureX, 400 - figureWidth);
    seen.insert(poseIndex);
    previous = poseIndex;
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(poseCount));
}

TEST_F(HopTest, AColumnWithoutStampsUnderTheBoxHidesTheWholeHop) {
  // A stamped slope with one unstamped column: hops whose box reaches it are hidden; at the top
  // of every other hop the figure shows.
  FillDepthDownhill();
  for (int y = 0; y < 300; ++y) SetDepth(200, y, 0);
  AnimationTick(view->ViewCanvas());
  int hidden = 0, shown = 0;
  for (int hop = 0; hop < 12; ++hop) {
    for (int tick = 0; tick < 32; ++tick) AnimationTick(view->ViewCanvas());
    const bool overGap = figureX <= 200 && 200 < figureX + figureWidth;
    EXPECT_EQ(figureDepth == -1, overGap);
    if (overGap) {
      EXPECT_EQ(PixelsUnlikeTheScene(), 0) << "hop " << hop;
      ++hidden;
    } else {
      EXPECT_GT(PixelsUnlikeTheScene(), 0) << "hop " << hop;
      ++shown;
    }
    for (int tick = 32; tick < hopTicks; ++tick) AnimationTick(view->ViewCanvas());
    view->ViewCanvas().Draw(0, 0, sceneBitmap);
  }
  EXPECT_GT(hidden, 0);
  EXPECT_GT(shown, 0);
}

TEST_F(HopTest, TreesWithAGreaterStampThanTheFigureStandInFrontOfIt) {
  // Far trees (stamp 5) above row 230, near ones (stamp 100) from there down, and a nearer trunk
  // over columns 110..119 from top to bottom.
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) SetDepth(x, y, y < 230 ? 5 : 100);
  for (int y = 0; y < 300; ++y)
    for (int x = 110; x < 120; ++x) SetDepth(x, y, 200);
  StartHop();
  figureX = 90;
  figureBase = 250;
  SampleFigureDepth();
  EXPECT_EQ(figureDepth, 99) << "the smallest stamp on the ground line under the box, less one";
  jumpPhase = 32;
  DrawHop(view->ViewCanvas());
  int shown = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      if (view->screen.Pixel(x, y) == sceneBitmap.Pixel(x, y)) continue;
      ASSERT_LT(y, 230) << "hidden by the near trees at " << x << ", " << y;
      ASSERT_FALSE(x >= 110 && x < 120) << "hidden by the trunk at " << x << ", " << y;
      ASSERT_EQ(view->screen.Pixel(x, y), testing::suitRed);
      ++shown;
    }
  EXPECT_GT(shown, 0);
}

// The nudge tests place the figure by hand: pose 0 (40 x 30), hop scale 0.5, ground line at row
// 200, so the tested point lies Nearest(30 x 0.5 x 1.5) = Nearest(22.5) = 22 rows up, at column
// figureX + 20.
class NudgeTest : public HopTest {
 protected:
  void Place(int x) {
    poseIndex = 0;
    figureWidth = 40;
    figureHeight = 30;
    hopScale = 0.5;
    figureBase = 200;
    figureDepth = 50;
    figureX = x;
  }
};

TEST_F(NudgeTest, ACoveredPointMovesTheFigureFortyPixelsEitherWay) {
  Place(100);
  SetDepth(120, 178, 50);
  const std::uint32_t seed = randomSeed;
  const int side = Random(2);
  randomSeed = seed;
  NudgeFigure();
  EXPECT_EQ(figureX, side == 1 ? 140 : 60);
}

TEST_F(NudgeTest, ANearerTreeMovesItAndAFartherOneDoesNot) {
  Place(100);
  SetDepth(120, 178, 49);
  NudgeFigure();
  EXPECT_EQ(figureX, 100);
  // Half a row rounds to the even neighbour: row 177 is not the point.
  SetDepth(120, 178, 0);
  SetDepth(120, 177, 255);
  NudgeFigure();
  EXPECT_EQ(figureX, 100);
}

TEST_F(NudgeTest, AMoveOffTheScreenGoesTheOtherWayAndIsNotTestedAgain) {
  for (int trial = 0; trial < 8; ++trial) {
    FillDepth(255);
    Place(10);
    NudgeFigure();
    EXPECT_EQ(figureX, 50) << "left edge, trial " << trial;
    Place(400 - 40 - 10);
    NudgeFigure();
    EXPECT_EQ(figureX, 310) << "right edge, trial " << trial;
  }
}

TEST_F(NudgeTest, ANarrowScreenKeepsTheFigureOnIt) {
  Screen(60, 300);
  for (int trial = 0; trial < 8; ++trial) {
    FillDepth(255);
    Place(10);
    NudgeFigure();
    EXPECT_GE(figureX, 0);
    EXPECT_LE(figureX, 20);
  }
}

TEST_F(HopTest, WithoutJoyTheFigureNeverMovesSideways) {
  FillDepth(9);
  AnimationTick(view->ViewCanvas());
  AnimationTick(view->ViewCanvas());
  const int x = figureX;
  for (int tick = 0; tick < 63; ++tick) {
    view->changes.clear();
    AnimationTick(view->ViewCanvas());
    ASSERT_EQ(figureX, x);
    ASSERT_EQ(view->changes.size(), 1u);
    EXPECT_EQ(view->changes.front().left, std::max(x, 0));
  }
}

TEST_F(HopTest, AJoyfulFigureTurnsBackAtTheScreenEdgesAndRollsTheOtherWay) {
  settings.joyful = true;
  FillDepth(9);
  StartHop();
  EXPECT_EQ(figureBox.Height(), 4 * figureHeight);
  EXPECT_EQ(figureBitmap.Width(), figureWidth * 3 / 4);
  jumpPhase = 10;
  figureX = 10;
  spinStep = -14;
  spinAngle = 100;
  DrawHop(view->ViewCanvas());
  EXPECT_EQ(figureX, -4);
  EXPECT_EQ(spinAngle, 114);
  EXPECT_EQ(spinStep, 14) << "figureX + spinStep < 0 turns it back";
  DrawHop(view->ViewCanvas());
  EXPECT_EQ(figureX, 10);
  EXPECT_EQ(spinAngle, 100);
  EXPECT_EQ(spinStep, 14);

  const int width = figureBitmap.Width();
  figureX = 400 - width - 10;
  spinStep = 7;
  DrawHop(view->ViewCanvas());
  EXPECT_EQ(figureX, 400 - width - 3);
  EXPECT_EQ(spinStep, -7);
  DrawHop(view->ViewCanvas());
  EXPECT_EQ(figureX, 400 - width - 10);
}

class JoyfulTrailTest : public HopTest, public ::testing::WithParamInterface<int> {};

TEST_P(JoyfulTrailTest, AJoyfulHopLeavesNoTrailBehindTheFigure) {
  // Wide enough that the figure never reaches an edge within the hop.
  Screen(2400, 300);
  settings.joyful = true;
  FillDepthDownhill();
  AnimationTick(view->ViewCanvas());
  AnimationTick(view->ViewCanvas());
  figureX = 1100;
  spinStep = GetParam();
  int shownMidway = 0;
  for (int tick = 0; tick < 63; ++tick) {
    AnimationTick(view->ViewCanvas());
    if (tick == 31) shownMidway = PixelsUnlikeTheScene();
  }
  EXPECT_GT(shownMidway, 0);
  // At the end of the hop the figure has sunk behind its ground line: what is left of it can only
  // be the box's top row.
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 2400; ++x) {
      if (view->screen.Pixel(x, y) == sceneBitmap.Pixel(x, y)) continue;
      ASSERT_GE(x, figureX - 1) << "trail at " << x << ", " << y;
      ASSERT_LE(x, figureX + figureWidth) << "trail at " << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(BothWays, JoyfulTrailTest, ::testing::Values(14, -14, 3, -3));

TEST_F(HopTest, AScreenSmallerThanTheHopPlacesItAsFarAsItFits) {
  Screen(30, 20);
  FillDepth(9);
  for (int hop = 0; hop < 20; ++hop) {
    StartHop();
    EXPECT_EQ(figureX, 0);
    EXPECT_EQ(figureBase, 19);
  }
  for (int tick = 0; tick < 2 * hopTicks; ++tick) AnimationTick(view->ViewCanvas());
  settings.joyful = true;
  for (int tick = 0; tick < 2 * hopTicks; ++tick) AnimationTick(view->ViewCanvas());
  StartHop();
  EXPECT_EQ(figureBase, 19);
  EXPECT_GE(figureX, 0);
}

}  // namespace
}  // namespace wobbert
