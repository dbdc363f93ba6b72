// The live preview in a host window of the system's settings panel.
//
// PreviewLoop waits until the host is visible, takes the host's rectangle plus one as the view
// size (viewWidth, viewHeight), and then draws a frame every 70 ms into previewBitmap and from
// there onto the host: the figure rises from below the bottom edge until its top touches the top
// edge and sinks back, along half a cosine wave over 64 frames, centred, on black, with a new
// random pose only at frame 0 (while it is out of sight). It returns once the host is no longer
// visible (hidden, destroyed, or our drawing on it closed by its owner); the caller then ends the
// process. No message of the program's own is handled while it draws.
//
// Waiting for the host pauses between tests, so a host that stays hidden costs no processor time.
#pragma once

#include "platform/system.h"

namespace wobbert {

inline constexpr int previewFrameCount = 64;
inline constexpr int previewFramePause = 70;    // milliseconds after each frame
inline constexpr int previewWaitingPause = 25;  // milliseconds between tests of a hidden host

// The row of the figure's top edge in `frame` (0..63) of a view `height` rows high.
int PreviewFigureTop(int frame, int height);

void PreviewLoop(platform::WindowHandle host);

}  // namespace wobbert
