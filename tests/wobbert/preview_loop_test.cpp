// The preview loop against a scripted host: waiting without a busy loop, the view one larger than
// the host, the rise and fall of the figure over 64 frames, poses chosen only at frame 0, and the
// end as soon as the host is hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "data/picture_catalogue.h"
#include "data/shared_bitmaps.h"
#include "fakes/program_fixture.h"
#include "toolkit/random.h"
#include "wb_main/mainscreen.h"
#include "wobbert/preview_loop.h"

namespace wobbert {
namespace {

constexpr Color black = Rgb(0, 0, 0);
constexpr Color white = Rgb(255, 255, 255);

// Pose k: 148 x 60 on magenta, with a marker of its own colour in the top-left pixel and a white
// bar in column 10. Pixel (1, 1) is ground, so the ground must never reach the frame.
Color MarkerOf(int pose) { return Rgb(40 * (pose + 1), 200 - 30 * pose, 17 * pose); }

class PreviewLoopTest : public fakes::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ResetSharedBitmaps();
    for (int pose = 0; pose < poseCount; ++pose) {
      Bitmap& figure = figurePoses[static_cast<std::size_t>(pose)];
      figure.SetSize(148, 60);
      for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 148; ++x) figure.SetPixel(x, y, x == 10 ? white : keyMagenta);
      figure.SetPixel(0, 0, MarkerOf(pose));
    }
    randomSeed = 12345;
  }
  void TearDown() override {
    ResetSharedBitmaps();
    ProgramTest::TearDown();
  }

  fakes::FakeHost& Host() { return native->host; }

  // The host is visible at the start and for `frames` whole frames (two tests each), then hidden.
  void ScriptFrames(int frames) {
    Host().visibility.assign(1 + 2 * static_cast<std::size_t>(frames), true);
  }

  // The pose whose marker a drawing shows, -1 for none, -2 for a drawing with a stray colour.
  static int PoseShown(const Bitmap& drawing) {
    int shown = -1;
    for (int y = 0; y < drawing.Height(); ++y) {
      for (int x = 0; x < drawing.Width(); ++x) {
        const Color color = drawing.Pixel(x, y);
        if (color == black || color == white) continue;
        int pose = 0;
        while (pose < poseCount && MarkerOf(pose) != color) ++pose;
        if (pose == poseCount || (shown >= 0 && shown != pose)) return -2;
        shown = pose;
      }
    }
    return shown;
  }

  // Top row of the figure's white bar, or -1 when the drawing shows none of it.
  static int BarTop(const Bitmap& drawing, int column) {
    for (int y = 0; y < drawing.Height(); ++y)
      if (drawing.Pixel(column, y) == white) return y;
    return -1;
  }
};

TEST(PreviewFigureTop, RisesAlongHalfACosineWaveAndFallsBack) {
  EXPECT_EQ(PreviewFigureTop(0, 112), 112);
  EXPECT_EQ(PreviewFigureTop(16, 112), 56);  // cosine zero: half the height
  EXPECT_EQ(PreviewFigureTop(32, 112), 0);
  // 113 * 0.5 = 56.5 rounds to the even 56. On the way down the cosine is a hair below zero,
  // 56.500000000000007 rounds up, so the fall is the rise mirrored only to within a row.
  EXPECT_EQ(PreviewFigureTop(16, 113), 57);
  EXPECT_EQ(PreviewFigureTop(48, 113), 56);
  EXPECT_EQ(PreviewFigureTop(1, 113), 113);  // 0.27 of a row rounds to nothing
  EXPECT_EQ(PreviewFigureTop(2, 113), 112);
  for (int frame = 1; frame < 64; ++frame) {
    EXPECT_LE(std::abs(PreviewFigureTop(frame, 113) - PreviewFigureTop(64 - frame, 113)), 1) << frame;
    if (frame <= 32) {
      EXPECT_LE(PreviewFigureTop(frame, 113), PreviewFigureTop(frame - 1, 113)) << frame;
    }
  }
}

TEST_F(PreviewLoopTest, WaitsForTheHostWithPausesThenDrawsAViewOneLargerThanTheHost) {
  Host().visibility = {false, false, false, true, true, true};
  PreviewLoop(4242);

  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "OpenForeignWindow(4242)");
  // Each failed test is followed by a pause, never by an immediate retest.
  const auto canvas = std::find(calls.begin(), calls.end(), "Host.WindowCanvas");
  ASSERT_NE(canvas, calls.end());
  EXPECT_EQ(std::count(calls.begin(), canvas, "Sleep(" + std::to_string(previewWaitingPause) + ")"), 3);
  EXPECT_EQ(std::count(calls.begin(), canvas, std::string("Host.Visible")), 4);

  EXPECT_EQ(viewWidth, 153);
  EXPECT_EQ(viewHeight, 113);
  EXPECT_EQ(previewBitmap.Width(), 153);
  EXPECT_EQ(previewBitmap.Height(), 113);

  // The black fill of the client area, then frame 0: the figure is still below the bottom edge.
  ASSERT_EQ(Host().drawings.size(), 2U);
  for (const Bitmap& drawing : Host().drawings) {
    EXPECT_EQ(drawing.Width(), 152);
    EXPECT_EQ(PoseShown(drawing), -1);
    EXPECT_EQ(BarTop(drawing, 12), -1);
  }
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Sleep(" + std::to_string(previewFramePause) + ")"), 1);
}

TEST_F(PreviewLoopTest, TheFigureRisesCentredToTheTopEdgeAndSinksOutOfSightOverSixtyFourFrames) {
  ScriptFrames(65);
  PreviewLoop(1);
  ASSERT_EQ(Host().drawings.size(), 66U);  // the fill and 65 frames
  const auto frame = [&](int i) -> const Bitmap& { return Host().drawings[static_cast<std::size_t>(i) + 1]; };

  // x = (153 - 148) div 2 = 2: the marker in column 2, the bar in column 12.
  const Bitmap& top = frame(32);
  EXPECT_EQ(BarTop(top, 12), 0);
  EXPECT_NE(top.Pixel(2, 0), black);
  EXPECT_EQ(top.Pixel(1, 0), black);
  EXPECT_EQ(top.Pixel(3, 1), black);  // the figure's ground is left out
  EXPECT_EQ(top.Pixel(12, 59), white);
  EXPECT_EQ(top.Pixel(12, 60), black);

  for (int i = 0; i <= 64; ++i) {
    const int expectedTop = PreviewFigureTop(i % 64, 113);
    EXPECT_EQ(BarTop(frame(i), 12), expectedTop < 112 ? expectedTop : -1) << "frame " << i;
  }
  EXPECT_EQ(BarTop(frame(16), 12), 57);
  EXPECT_EQ(PoseShown(frame(0)), -1);
  EXPECT_EQ(PoseShown(frame(64)), -1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Sleep(" + std::to_string(previewFramePause) + ")"), 65);
}

TEST_F(PreviewLoopTest, ANewRandomPoseOnlyAtFrameZero) {
  // Three cycles' worth of poses from the same sequence as the loop's.
  randomSeed = 777;
  int expected[3];
  for (int& pose : expected) pose = Random(poseCount);
  const std::uint32_t seedAfterThreeDraws = randomSeed;
  randomSeed = 777;

  ScriptFrames(64 * 2 + 40);
  PreviewLoop(1);
  ASSERT_EQ(Host().drawings.size(), 64U * 2 + 40 + 1);
  EXPECT_EQ(randomSeed, seedAfterThreeDraws);
  for (int i = 0; i < 64 * 2 + 40; ++i) {
    const int shown = PoseShown(Host().drawings[static_cast<std::size_t>(i) + 1]);
    const int cycleFrame = i % 64;
    // The marker is in the figure's top row: on screen whenever the figure's top is (the host
    // shows rows 0..111 of the 113-row view).
    const int expectedPose = PreviewFigureTop(cycleFrame, 113) < 112 ? expected[i / 64] : -1;
    EXPECT_EQ(shown, expectedPose) << "frame " << i;
  }
}

TEST_F(PreviewLoopTest, AHostHiddenDuringThePauseGetsNoFurtherFrame) {
  // Visible at the start, for two frames, and at the start of the third; hidden before it is shown.
  Host().visibility = {true, true, true, true, true, true, false};
  PreviewLoop(1);
  EXPECT_EQ(Host().drawings.size(), 3U);  // the fill and two frames
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Sleep(" + std::to_string(previewFramePause) + ")"), 3);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("Host.Visible")), 8);
}

}  // namespace
}  // namespace wobbert
