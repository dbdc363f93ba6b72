// The saver's picture with the real pictures, off-screen: the forest build at 1920x1080 and
// 3840x2160, one drawing tick of the hop, one joyful tick and one snowfall step, each beside a
// memory copy of the bytes it touches:
//   BuildForest: the three screen bitmaps it fills, plus every tree's visible pixels twice
//     (drawn into the scene, copied to the window);
//   DrawHop: the box three times (scene grabbed into it, trees in front laid over it, the box
//     drawn to the window);
//   JoyfulTick: the same for the joyful box, plus the double-size pose that is rotated;
//   SnowfallStep: 256 pixels read from the snowy scene and written to the scene and the window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "data/shared_bitmaps.h"
#include "offscreen_saver.h"
#include "memory_copy_baseline.h"
#include "ratio_reporter.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/figure_hop.h"
#include "wb_main/forest_scene.h"
#include "wb_main/mainscreen.h"

namespace wobbert {
namespace {

using bench::MemoryCopy;

std::size_t ScreenBytes(const Bitmap& bitmap) {
  return static_cast<std::size_t>(bitmap.Stride()) * static_cast<std::size_t>(bitmap.Height());
}

void LoadOnce() {
  static const bool loaded = [] {
    tools::LoadPicturesSeeded(1);
    return true;
  }();
  (void)loaded;
}

std::size_t ForestBytes(int width, int height) {
  static std::map<int, std::size_t> known;
  const auto found = known.find(width);
  if (found != known.end()) return found->second;
  LoadOnce();
  settings = Settings();
  randomSeed = 1;
  Bitmap screen(width, height);
  std::size_t treeBytes = 0;
  Canvas canvas(screen, [&treeBytes](const Rectangle& rect) {
    treeBytes += static_cast<std::size_t>(rect.Width()) * static_cast<std::size_t>(rect.Height()) * 3;
  });
  struct View final : SaverView {
    explicit View(Canvas& target) : canvas(target) {}
    Canvas& ViewCanvas() override { return canvas; }
    void ProcessMessages() override {}
    void SetCursor(platform::MouseCursor) override {}
    void CloseAgain() override {}
    void StartAnimation() override {}
    Canvas& canvas;
  } view(canvas);
  viewWidth = width;
  viewHeight = height;
  PrepareScene();
  BuildForest(view);
  const std::size_t bytes = 3 * ScreenBytes(sceneBitmap) + 2 * treeBytes;
  known[width] = bytes;
  return bytes;
}

void BuildBaseline(benchmark::State& state) {
  MemoryCopy(state, ForestBytes(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
void BuildForestOffscreen(benchmark::State& state) {
  LoadOnce();
  settings = Settings();
  tools::OffscreenView view(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  viewWidth = view.screen.Width();
  viewHeight = view.screen.Height();
  for (auto _ : state) {
    PrepareScene();
    BuildForest(view);
    benchmark::ClobberMemory();
  }
}

// The 1080p forest standing, a hop started on it (joyful or not).
std::unique_ptr<tools::OffscreenView> StandingForest(bool joyful, std::uint8_t snow) {
  LoadOnce();
  settings = Settings();
  settings.snow = snow;
  randomSeed = 1;
  auto view = std::make_unique<tools::OffscreenView>(1920, 1080);
  tools::ShowSaver(*view);
  settings.joyful = joyful;
  StartHop();
  return view;
}

std::size_t BoxBytes(bool joyful) {
  static std::map<bool, std::size_t> known;
  const auto found = known.find(joyful);
  if (found != known.end()) return found->second;
  StandingForest(joyful, 0);
  std::size_t bytes = 3 * ScreenBytes(figureBox);
  if (joyful) bytes += 4 * ScreenBytes(figureBitmap);  // the doubled pose, rotated
  known[joyful] = bytes;
  return bytes;
}

void DrawHopBaseline(benchmark::State& state) { MemoryCopy(state, BoxBytes(false)); }
void DrawHopTick(benchmark::State& state) {
  auto view = StandingForest(false, 0);
  for (auto _ : state) {
    jumpPhase = 32;
    DrawHop(view->ViewCanvas());
    benchmark::ClobberMemory();
  }
}

void JoyfulBaseline(benchmark::State& state) { MemoryCopy(state, BoxBytes(true)); }
void JoyfulTick(benchmark::State& state) {
  auto view = StandingForest(true, 0);
  for (auto _ : state) {
    jumpPhase = 32;
    DrawHop(view->ViewCanvas());
    benchmark::ClobberMemory();
  }
}

void SnowfallBaseline(benchmark::State& state) { MemoryCopy(state, snowPixelsPerTick * 3 * 3); }
void SnowfallTick(benchmark::State& state) {
  auto view = StandingForest(false, 2);
  for (auto _ : state) {
    SnowfallStep(view->ViewCanvas());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BuildBaseline)->Name("BuildForest 1920x1080/baseline")->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BuildForestOffscreen)->Name("BuildForest 1920x1080/build")->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BuildBaseline)->Name("BuildForest 3840x2160/baseline")->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BuildForestOffscreen)->Name("BuildForest 3840x2160/build")->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(DrawHopBaseline)->Name("DrawHop/baseline")->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawHopTick)->Name("DrawHop/tick at phase 32")->Unit(benchmark::kMicrosecond);
BENCHMARK(JoyfulBaseline)->Name("JoyfulTick/baseline")->Unit(benchmark::kMicrosecond);
BENCHMARK(JoyfulTick)->Name("JoyfulTick/tick at phase 32")->Unit(benchmark::kMicrosecond);
BENCHMARK(SnowfallBaseline)->Name("SnowfallStep/baseline")->Unit(benchmark::kMicrosecond);
BENCHMARK(SnowfallTick)->Name("SnowfallStep/256 pixels")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wobbert

int main(int argc, char** argv) { return wobbert::bench::RunWithRatios(argc, argv); }
