// cursor_probe: prints "hidden" when the X display's current cursor image is fully transparent,
// "visible" otherwise (what a user sees at the pointer). Exit status 1 without a display or the
// XFixes extension.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  int eventBase = 0, errorBase = 0;
  if (!XFixesQueryExtension(display, &eventBase, &errorBase)) return 1;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (!image) return 1;
  bool visible = false;
  const unsigned long pixels = static_cast<unsigned long>(image->width) * image->height;
  for (unsigned long i = 0; i < pixels; ++i) {
    if ((image->pixels[i] >> 24) != 0) visible = true;  // ARGB, alpha in the top byte
  }
  std::puts(visible ? "visible" : "hidden");
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
