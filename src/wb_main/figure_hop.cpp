#include "wb_main/figure_hop.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"
#include "toolkit/rounding.h"
#include "wb_cfg/settings.h"
#include "wb_main/forest_scene.h"

namespace wobbert {

std::int32_t jumpPhase = -1;
std::int32_t poseIndex = 0;
std::int32_t figureX = 0;
std::int32_t figureBase = 0;
std::int32_t figureDepth = 0;
double hopScale = 0.5;
std::int32_t spinAngle = 0;
std::int32_t spinStep = 0;

namespace {

constexpr Color figureGround = Rgb(0, 128, 0);
constexpr Color rotationGround = Rgb(255, 255, 255);

// The box is this many figure heights high: room for the hop above the ground line.
int HopGrowth() { return settings.joyful ? 4 : 2; }

std::uint8_t DepthAt(int x, int y) { return depthMap.ScanLine(y)[3 * x + 2]; }

bool InsideScene(int x, int y) { return x >= 0 && y >= 0 && x < depthMap.Width() && y < depthMap.Height(); }

}  // namespace

void ResetHop() {
  jumpPhase = -1;
  poseIndex = Random(poseCount);
}

void AnimationTick(Canvas& window) {
  if (jumpPhase < 1) StartHop();
  else DrawHop(window);
  ++jumpPhase;
  if (jumpPhase >= hopTicks) jumpPhase = 0;
  if (settings.snow == 2) SnowfallStep(window);
}

void StartHop() {
  const int width = sceneBitmap.Width();
  const int height = sceneBitmap.Height();

  poseIndex = poseIndex + Random(poseCount - 1) + 1;
  if (poseIndex >= poseCount) poseIndex -= poseCount;
  SelectFigurePose(poseIndex);

  if (settings.joyful) {
    spinAngle = Random(360);
    spinStep = Random(5) + 3;
    if (Random(3) == 0) spinStep *= 2;
    if (Random(2) == 0) spinStep = -spinStep;
    PrepareJoyfulFigure(spinAngle);
  }

  hopScale = RandomReal() / 4 + 0.5;
  figureX = width - figureWidth > 0 ? Random(width - figureWidth) : 0;
  const int growth = HopGrowth();
  const int lift = growth * RoundHalfEven(figureHeight * hopScale);
  figureBase = height - lift > 0 ? Random(height - lift) + lift : std::max(height - 1, 0);
  figureBox.SetSize(figureWidth, growth * figureHeight);

  SampleFigureDepth();
  NudgeFigure();
}

void SampleFigureDepth() {
  figureDepth = 255;
  if (figureBase >= 0 && figureBase < depthMap.Height()) {
    const int first = std::max(figureX, 0);
    const int end = std::min(figureX + figureWidth, depthMap.Width());
    const std::uint8_t* row = depthMap.ScanLine(figureBase);
    for (int x = first; x < end; ++x) figureDepth = std::min<std::int32_t>(figureDepth, row[3 * x + 2]);
  }
  figureDepth -= 1;
}

void NudgeFigure() {
  const int x = figureWidth / 2 + figureX;
  const int y = figureBase - RoundHalfEven(figureHeight * hopScale * 1.5);
  if (!InsideScene(x, y) || DepthAt(x, y) < figureDepth) return;
  const int room = sceneBitmap.Width() - figureWidth;
  figureX = figureX + Random(2) * 2 * nudgeDistance - nudgeDistance;
  if (figureX < 0) figureX += 2 * nudgeDistance;
  if (figureX > room) figureX -= 2 * nudgeDistance;
  // Only a screen less than two moves wider than the figure gets here out of range.
  figureX = std::max(0, std::min(figureX, room));
}

void DrawHop(Canvas& window) {
  const int width = sceneBitmap.Width();
  const int height = sceneBitmap.Height();
  const bool joyful = settings.joyful;

  if (joyful) {
    spinAngle -= spinStep;
    PrepareJoyfulFigure(spinAngle);
    figureX += spinStep;
    if (figureX + spinStep < 0 || figureBitmap.Width() + figureX + spinStep > width) spinStep = -spinStep;
  }

  const int boxHeight = HopGrowth() * figureHeight;
  if (figureBox.Width() != figureWidth || figureBox.Height() != boxHeight || figureBox.Empty()) return;
  const double phaseAngle = jumpPhase * std::numbers::pi / 32;
  const int lift = RoundHalfEven((1 - std::cos(phaseAngle)) * figureHeight * hopScale * (joyful ? 2 : 1));
  const int top = boxHeight - lift;
  const int boxTop = figureBase - boxHeight;

  GrabRegion(figureBox, figureX, boxTop, Canvas(sceneBitmap));

  // The figure, cut at the ground line; green well above red is its transparent ground.
  const int columns = std::min(figureBitmap.Width(), figureBox.Width());
  for (int i = std::max(0, -top); i < figureBitmap.Height() && top + i < boxHeight; ++i) {
    const std::uint8_t* source = figureBitmap.ScanLine(i);
    std::uint8_t* target = figureBox.ScanLine(top + i);
    for (int j = 0; j < columns; ++j) {
      const std::uint8_t* pixel = source + 3 * j;
      if (pixel[1] < pixel[2] + 64) {
        target[3 * j] = pixel[0];
        target[3 * j + 1] = pixel[1];
        target[3 * j + 2] = pixel[2];
      }
    }
  }

  // Trees in front of the figure.
  if (depthMap.Width() == width && depthMap.Height() == height) {
    const int firstRow = std::max(0, -boxTop);
    const int endRow = std::min(boxHeight, height - boxTop);
    const int firstColumn = std::max(0, -figureX);
    const int endColumn = std::min(figureBox.Width(), width - figureX);
    for (int i = firstRow; i < endRow; ++i) {
      const std::uint8_t* depth = depthMap.ScanLine(boxTop + i);
      const std::uint8_t* scene = sceneBitmap.ScanLine(boxTop + i);
      std::uint8_t* target = figureBox.ScanLine(i);
      for (int j = firstColumn; j < endColumn; ++j) {
        const int sx = figureX + j;
        if (static_cast<std::int32_t>(depth[3 * sx + 2]) > figureDepth) {
          target[3 * j] = scene[3 * sx];
          target[3 * j + 1] = scene[3 * sx + 1];
          target[3 * j + 2] = scene[3 * sx + 2];
        }
      }
    }
  }

  window.Draw(figureX, boxTop, figureBox);

  if (joyful) {
    const Canvas sceneCanvas(sceneBitmap);
    if (spinStep < 0) {
      const int right = figureX + figureBitmap.Width();
      CopyCanvasRect({right, boxTop, right - spinStep, figureBase}, window, sceneCanvas);
    } else {
      CopyCanvasRect({figureX - spinStep, boxTop, figureX, figureBase}, window, sceneCanvas);
    }
  }
}

void PrepareJoyfulFigure(int angle) {
  if (poseIndex < 0 || poseIndex >= poseCount) return;
  const Bitmap& pose = figurePoses[static_cast<std::size_t>(poseIndex)];
  const int width = (pose.Width() * 3) / 4;
  const int height = (pose.Height() * 3) / 4;
  figureBitmap.SetSize(width, height);
  Canvas(figureBitmap).StretchDraw({0, 0, width, height}, pose);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* pixel = figureBitmap.ScanLine(y);
    for (int x = 0; x < width; ++x, pixel += 3) {
      if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) {
        pixel[0] = BlueOf(figureGround);
        pixel[1] = GreenOf(figureGround);
        pixel[2] = RedOf(figureGround);
      }
    }
  }
  DoubleBitmap(figureBitmap);
  RotateBitmap(figureBitmap, angle);
  Canvas canvas(figureBitmap);
  const int right = figureBitmap.Width() - 1;
  const int bottom = figureBitmap.Height() - 1;
  canvas.FloodFill(0, 0, rotationGround, figureGround);
  canvas.FloodFill(right, 0, rotationGround, figureGround);
  canvas.FloodFill(0, bottom, rotationGround, figureGround);
  canvas.FloodFill(right, bottom, rotationGround, figureGround);
  HalveBitmap(figureBitmap);
}

}  // namespace wobbert
