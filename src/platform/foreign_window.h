// ForeignWindow: a window of another program that ours draws into, the host of a preview.
//
// The host is named by its handle on the command line and may be hidden or destroyed at any
// moment by its owner; a destroyed or unknown window counts as not visible, never as an error.
// The canvas is the size of the host's client area when it is first asked for; what is drawn on
// it reaches the screen before the drawing call returns (there is no message loop to present it
// later). Where the system wants the host's owner to be able to close our drawing, the backend
// draws into a child window of its own covering the client area, and closing that child counts
// as hiding the host.
#pragma once

#include <memory>

#include "platform/system.h"
#include "toolkit/canvas.h"
#include "toolkit/rectangle.h"

namespace wobbert::platform {

class ForeignWindow {
 public:
  virtual ~ForeignWindow() = default;

  // True while the window and all its ancestors are shown (and our drawing surface on it, where
  // there is one, is still there).
  virtual bool Visible() = 0;
  // The window's rectangle in screen coordinates, right and bottom exclusive; empty when the
  // window is gone.
  virtual Rectangle WindowRect() = 0;
  // A drawing surface on the window's client area.
  virtual Canvas& WindowCanvas() = 0;
};

// The backend's own foreign window (sdl/x11_foreign_window.cpp, win32/win32_preview_window.cpp).
std::unique_ptr<ForeignWindow> OpenNativeForeignWindow(WindowHandle window);

}  // namespace wobbert::platform
