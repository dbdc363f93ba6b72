// snapshot: paints the saver off-screen, with the program's own code, and writes PNG pictures.
//
//   snapshot OUT_DIR [--size WxH] [--seed N] [--snow 0|1|2] [--joyful] [--ticks N,N,...]
//
// Writes OUT_DIR/saver-WxH-snowS[-joyful]-build.png when the forest stands, -depth.png with its
// depth map (stamps in red), and one
// ...-tickN.png after each listed number of 40 ms ticks, and prints where the figure is then.
// Defaults: 1024x768, seed 1, snow 0, joyful off, ticks 2,20,34,120.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/shared_bitmaps.h"
#include "offscreen_saver.h"
#include "png_writer.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/figure_hop.h"

namespace {

using namespace wobbert;

bool ParseInt(const std::string& text, long long low, long long high, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && end != nullptr && *end == '\0' && value >= low && value <= high;
}

int Usage() {
  std::fprintf(stderr,
               "usage: snapshot OUT_DIR [--size WxH] [--seed N] [--snow 0|1|2] [--joyful] [--ticks N,N,...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string outDirectory = argv[1];
  long long width = 1024, height = 768, seed = 1, snow = 0;
  bool joyful = false;
  std::vector<long long> ticks = {2, 20, 34, 120};
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    const std::string value = i + 1 < argc ? argv[i + 1] : "";
    if (option == "--joyful") {
      joyful = true;
    } else if (option == "--size") {
      const std::size_t cross = value.find('x');
      if (cross == std::string::npos || !ParseInt(value.substr(0, cross), 1, 16384, width) ||
          !ParseInt(value.substr(cross + 1), 1, 16384, height))
        return Usage();
      ++i;
    } else if (option == "--seed") {
      if (!ParseInt(value, 0, 0xFFFFFFFFll, seed)) return Usage();
      ++i;
    } else if (option == "--snow") {
      if (!ParseInt(value, 0, 2, snow)) return Usage();
      ++i;
    } else if (option == "--ticks") {
      ticks.clear();
      std::size_t start = 0;
      while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        long long tick = 0;
        if (!ParseInt(value.substr(start, comma - start), 0, 10'000'000, tick)) return Usage();
        ticks.push_back(tick);
        start = comma + 1;
      }
      ++i;
    } else {
      return Usage();
    }
  }
  std::sort(ticks.begin(), ticks.end());

  settings.snow = static_cast<std::uint8_t>(snow);
  settings.joyful = joyful;
  tools::LoadPicturesSeeded(static_cast<std::uint32_t>(seed));

  tools::OffscreenView view(static_cast<int>(width), static_cast<int>(height));
  tools::ShowSaver(view);
  const std::string stem = outDirectory + "/saver-" + std::to_string(width) + "x" + std::to_string(height) +
                           "-snow" + std::to_string(snow) + (joyful ? "-joyful" : "");
  if (!tools::WritePng(view.screen, stem + "-build.png")) {
    std::fprintf(stderr, "snapshot: cannot write %s-build.png\n", stem.c_str());
    return 1;
  }
  if (!tools::WritePng(depthMap, stem + "-depth.png")) {
    std::fprintf(stderr, "snapshot: cannot write %s-depth.png\n", stem.c_str());
    return 1;
  }
  std::printf("%s-build.png: timer %s\n", stem.c_str(), view.animationStarted ? "started" : "not started");

  long long done = 0;
  for (const long long tick : ticks) {
    for (; done < tick; ++done) AnimationTick(view.ViewCanvas());
    const std::string path = stem + "-tick" + std::to_string(tick) + ".png";
    if (!tools::WritePng(view.screen, path)) {
      std::fprintf(stderr, "snapshot: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s: phase %d pose %d x %d base %d depth %d scale %.3f spin %d step %d\n", path.c_str(),
                jumpPhase, poseIndex, figureX, figureBase, figureDepth, hopScale, spinAngle, spinStep);
  }
  return 0;
}
