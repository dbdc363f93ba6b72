#include "wobbert/preview_loop.h"

#include <cmath>
#include <numbers>

#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "framework/application.h"
#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"
#include "toolkit/rounding.h"
#include "wb_main/mainscreen.h"

namespace wobbert {

using framework::application;

int PreviewFigureTop(int frame, int height) {
  const double rise = 1.0 - std::cos(frame * std::numbers::pi / 32.0);
  return height - RoundHalfEven(rise * height * 0.5);
}

void PreviewLoop(platform::WindowHandle host) {
  platform::System& system = platform::CurrentSystem();
  const auto window = application.Native().OpenForeignWindow(host);

  while (!window->Visible()) {
    application.ProcessMessages();
    system.Sleep(previewWaitingPause);
  }

  const Rectangle rect = window->WindowRect();
  viewWidth = rect.right - rect.left + 1;
  viewHeight = rect.bottom - rect.top + 1;

  Canvas& surface = window->WindowCanvas();
  surface.FillRect({0, 0, viewWidth, viewHeight}, Rgb(0, 0, 0));
  previewBitmap.SetSize(viewWidth, viewHeight);

  int frame = 0;
  while (window->Visible()) {
    if (frame == 0) SelectFigurePose(Random(poseCount));
    FillBitmap(previewBitmap, Rgb(0, 0, 0));
    const int y = PreviewFigureTop(frame, viewHeight);
    const int x = (viewWidth - figureWidth) / 2;
    KeyedCopy(figureBitmap, x, y, previewBitmap);
    frame = (frame + 1) % previewFrameCount;
    if (window->Visible()) surface.Draw(0, 0, previewBitmap);
    system.Sleep(previewFramePause);
  }
}

}  // namespace wobbert
