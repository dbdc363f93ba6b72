// The pixel operations on a figure-sized bitmap (148 x 141), each beside a memory copy of the
// bytes it touches.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "memory_copy_baseline.h"
#include "ratio_reporter.h"
#include "toolkit/pixel_operations.h"

namespace wobbert {
namespace {

constexpr int figureWidth = 148;
constexpr int figureHeight = 141;

Bitmap Figure() {
  Bitmap bitmap(figureWidth, figureHeight);
  FillBitmap(bitmap, keyMagenta);
  // A blob of subject colours over the ground, about half the area, like a pose.
  for (int y = 10; y < figureHeight - 10; ++y)
    for (int x = 30 + (y % 7); x < figureWidth - 30; ++x) bitmap.SetPixel(x, y, Rgb(200 + y % 50, x % 64, 40));
  return bitmap;
}

using bench::MemoryCopy;

const std::size_t figureBytes = static_cast<std::size_t>(figureWidth) * figureHeight * 3;

void KeyedCopyBaseline(benchmark::State& state) { MemoryCopy(state, figureBytes); }
void KeyedCopyFigure(benchmark::State& state) {
  const Bitmap figure = Figure();
  Bitmap scene(1024, 768);
  for (auto _ : state) {
    KeyedCopy(figure, 400, 300, scene);
    benchmark::ClobberMemory();
  }
}

void HalveBaseline(benchmark::State& state) { MemoryCopy(state, figureBytes); }
void HalveFigure(benchmark::State& state) {
  const Bitmap figure = Figure();
  Bitmap work;
  for (auto _ : state) {
    work = figure;
    HalveBitmap(work);
    benchmark::ClobberMemory();
  }
}

void DoubleBaseline(benchmark::State& state) { MemoryCopy(state, 4 * figureBytes); }
void DoubleFigure(benchmark::State& state) {
  const Bitmap figure = Figure();
  Bitmap work;
  for (auto _ : state) {
    work = figure;
    DoubleBitmap(work);
    benchmark::ClobberMemory();
  }
}

void RotateBaseline(benchmark::State& state) { MemoryCopy(state, figureBytes); }
void RotateFigure(benchmark::State& state) {
  Bitmap work = Figure();
  for (auto _ : state) {
    RotateBitmap(work, 17.0);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(KeyedCopyBaseline)->Name("KeyedCopy/baseline");
BENCHMARK(KeyedCopyFigure)->Name("KeyedCopy/figure 148x141");
BENCHMARK(HalveBaseline)->Name("HalveBitmap/baseline");
BENCHMARK(HalveFigure)->Name("HalveBitmap/figure 148x141 (with its copy)");
BENCHMARK(DoubleBaseline)->Name("DoubleBitmap/baseline");
BENCHMARK(DoubleFigure)->Name("DoubleBitmap/figure 148x141 (with its copy)");
BENCHMARK(RotateBaseline)->Name("RotateBitmap/baseline");
BENCHMARK(RotateFigure)->Name("RotateBitmap/figure 148x141");

}  // namespace
}  // namespace wobbert

int main(int argc, char** argv) { return wobbert::bench::RunWithRatios(argc, argv); }
