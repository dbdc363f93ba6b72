// SaverView: what the forest build and the animation tick ask of the window they draw on.
//
// The saver window provides one (MainscreenView); a snapshot, a test or a benchmark provides its
// own over a plain bitmap, so the same drawing code runs with no display. The canvas covers the
// screen: client coordinates are screen coordinates.
#pragma once

#include "platform/native_application.h"
#include "toolkit/canvas.h"

namespace wobbert {

class SaverView {
 public:
  virtual ~SaverView() = default;

  virtual Canvas& ViewCanvas() = 0;
  // Handles whatever messages are queued, without waiting. An input among them may close the
  // window, which sets `closing`.
  virtual void ProcessMessages() = 0;
  virtual void SetCursor(platform::MouseCursor shape) = 0;
  // The end of a forest build: asks the window to close again (an exit came during the build) or
  // starts the animation timer.
  virtual void CloseAgain() = 0;
  virtual void StartAnimation() = 0;
};

}  // namespace wobbert
