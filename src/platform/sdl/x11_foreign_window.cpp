// Linux backend of ForeignWindow: the host of a preview is an X11 window id, and we draw into it
// directly with XPutImage over a connection of our own.
//
// The host belongs to another client that may destroy it at any moment, so every request on it
// runs inside an ErrorTrap: Xlib's default handler would end the process on the BadWindow that
// follows. "Visible" is X11's "viewable": the window and all its ancestors are mapped. Drawing
// needs a TrueColor (or DirectColor) visual; on any other the canvas draws nowhere.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include "platform/foreign_window.h"

namespace wobbert::platform {

namespace {

bool errorSeen = false;

int NoteError(Display*, XErrorEvent*) {
  errorSeen = true;
  return 0;
}

// Catches the protocol errors of the requests made during its life; Finish tells whether any
// came. The previous handler (SDL's, or Xlib's default) is back when it ends.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);  // errors of earlier requests are not ours to catch
    errorSeen = false;
    previous_ = XSetErrorHandler(NoteError);
  }
  ~ErrorTrap() { Finish(); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // True when no request failed.
  bool Finish() {
    if (!finished_) {
      XSync(display_, False);
      XSetErrorHandler(previous_);
      finished_ = true;
      failed_ = errorSeen;
    }
    return !failed_;
  }

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
  bool finished_ = false;
  bool failed_ = false;
};

// Where one channel of a TrueColor mask sits: value (0..255) -> bits of the pixel.
struct Channel {
  unsigned long mask = 0;
  int shift = 0;  // of the mask's lowest bit
  int bits = 0;   // width of the mask

  explicit Channel(unsigned long channelMask) : mask(channelMask) {
    if (mask == 0) return;
    while (((mask >> shift) & 1UL) == 0) ++shift;
    while (shift + bits < std::numeric_limits<unsigned long>::digits && ((mask >> (shift + bits)) & 1UL) != 0)
      ++bits;
  }
  unsigned long Place(std::uint8_t value) const {
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value) >> (8 - bits);
    return (scaled << shift) & mask;
  }
};

class X11ForeignWindow final : public ForeignWindow {
 public:
  X11ForeignWindow(Display* display, Window window) : display_(display), window_(window) {}
  ~X11ForeignWindow() override {
    if (!display_) return;
    if (graphicsContext_) {
      // A context made for a window that was already gone is unknown to the server.
      ErrorTrap trap(display_);
      XFreeGC(display_, graphicsContext_);
    }
    XCloseDisplay(display_);
  }
  X11ForeignWindow(const X11ForeignWindow&) = delete;
  X11ForeignWindow& operator=(const X11ForeignWindow&) = delete;

  bool Visible() override {
    XWindowAttributes attributes;
    return Attributes(attributes) && attributes.map_state == IsViewable;
  }

  Rectangle WindowRect() override {
    XWindowAttributes attributes;
    if (!Attributes(attributes)) return {};
    int left = 0;
    int top = 0;
    Window child = 0;
    ErrorTrap trap(display_);
    XTranslateCoordinates(display_, window_, attributes.root, 0, 0, &left, &top, &child);
    if (!trap.Finish()) return {};
    return {left, top, left + attributes.width, top + attributes.height};
  }

  Canvas& WindowCanvas() override {
    if (!canvas_) OpenCanvas();
    return *canvas_;
  }

 private:
  bool Attributes(XWindowAttributes& attributes) {
    if (!display_) return false;
    ErrorTrap trap(display_);
    const Status status = XGetWindowAttributes(display_, window_, &attributes);
    return trap.Finish() && status != 0;
  }

  void OpenCanvas() {
    XWindowAttributes attributes;
    if (Attributes(attributes)) {
      backBuffer_.SetSize(attributes.width, attributes.height);
      if (attributes.visual && (attributes.visual->c_class == TrueColor ||
                                attributes.visual->c_class == DirectColor)) {
        visual_ = attributes.visual;
        depth_ = attributes.depth;
        ErrorTrap trap(display_);
        graphicsContext_ = XCreateGC(display_, window_, 0, nullptr);
      }
    }
    canvas_.emplace(backBuffer_, [this](const Rectangle& changed) { Present(changed); });
  }

  // Puts the changed part of the back buffer into the window and waits until the server has it.
  void Present(const Rectangle& changed) {
    const Rectangle area = Intersection(changed, {0, 0, backBuffer_.Width(), backBuffer_.Height()});
    if (area.Empty() || !graphicsContext_) return;
    XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()),
                                 32, 0);
    if (!image) return;
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) *
                              static_cast<std::size_t>(area.Height());
    image->data = static_cast<char*>(std::malloc(bytes));
    if (!image->data) {
      XDestroyImage(image);
      return;
    }
    const Channel red(visual_->red_mask);
    const Channel green(visual_->green_mask);
    const Channel blue(visual_->blue_mask);
    for (int y = 0; y < area.Height(); ++y) {
      const std::uint8_t* pixel = backBuffer_.ScanLine(area.top + y) + 3 * area.left;
      for (int x = 0; x < area.Width(); ++x, pixel += 3)
        XPutPixel(image, x, y, blue.Place(pixel[0]) | green.Place(pixel[1]) | red.Place(pixel[2]));
    }
    ErrorTrap trap(display_);
    XPutImage(display_, window_, graphicsContext_, image, 0, 0, area.left, area.top,
              static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()));
    trap.Finish();
    XDestroyImage(image);  // frees the pixel data too
  }

  Display* display_;
  Window window_;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  GC graphicsContext_ = nullptr;
  Bitmap backBuffer_;
  std::optional<Canvas> canvas_;
};

}  // namespace

std::unique_ptr<ForeignWindow> OpenNativeForeignWindow(WindowHandle window) {
  // An id beyond X11's 29 bits names no window; asking the server about it would only fail.
  constexpr WindowHandle largestId = 0x1FFFFFFF;
  Display* display = window != 0 && window <= largestId ? XOpenDisplay(nullptr) : nullptr;
  return std::make_unique<X11ForeignWindow>(display, static_cast<Window>(window));
}

}  // namespace wobbert::platform
