// preview_host: a stand-in for the settings panel's little monitor picture, for the preview's
// end-to-end test. Creates a 152 x 112 top-level window on the X display (grey, so a test can
// tell our black from its own background), maps it, prints its id in decimal and then obeys one
// command per line on standard input: "hide" unmaps it, "show" maps it, "destroy" destroys it,
// "quit" ends. Each command is answered with "ok" once the server has done it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "preview_host: cannot open the display\n");
    return 1;
  }
  const bool startHidden = argc > 1 && std::string(argv[1]) == "--hidden";
  const int screen = DefaultScreen(display);
  XColor grey{};
  grey.red = grey.green = grey.blue = 0x8080;
  XAllocColor(display, DefaultColormap(display, screen), &grey);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 30, 152, 112, 0,
                                            grey.pixel, grey.pixel);
  XStoreName(display, window, "preview host");
  XSelectInput(display, window, StructureNotifyMask);
  // A window manager would be free to resize it; there is none on the test display, but say so.
  XSizeHints hints{};
  hints.flags = PMinSize | PMaxSize;
  hints.min_width = hints.max_width = 152;
  hints.min_height = hints.max_height = 112;
  XSetWMNormalHints(display, window, &hints);

  auto waitFor = [&](int type) {
    XEvent event;
    do XNextEvent(display, &event);
    while (event.type != type);
  };
  if (!startHidden) {
    XMapWindow(display, window);
    waitFor(MapNotify);
  }
  std::printf("%lu\n", static_cast<unsigned long>(window));
  std::fflush(stdout);

  bool destroyed = false;
  for (std::string command; std::getline(std::cin, command);) {
    if (command == "quit") break;
    if (destroyed) {
      std::printf("gone\n");
    } else if (command == "hide") {
      XUnmapWindow(display, window);
      waitFor(UnmapNotify);
      std::printf("ok\n");
    } else if (command == "show") {
      XMapWindow(display, window);
      waitFor(MapNotify);
      std::printf("ok\n");
    } else if (command == "destroy") {
      XDestroyWindow(display, window);
      waitFor(DestroyNotify);
      destroyed = true;
      std::printf("ok\n");
    } else {
      std::printf("unknown\n");
    }
    std::fflush(stdout);
  }
  if (!destroyed) XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
