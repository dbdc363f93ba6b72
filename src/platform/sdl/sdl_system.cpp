// Linux backend of System: SDL2 for the display, X11 for its depth, files in the user's private
// runtime directory for the lock. Linux has no screen-saver password of a saver's own (locking
// the desktop is the screen locker's job) and no password-change call.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/user_directories.h"
#include "platform/system.h"

namespace wobbert::platform {

namespace {

class FileLock final : public InstanceLock {
 public:
  explicit FileLock(int descriptor) : descriptor_(descriptor) {}
  ~FileLock() override { close(descriptor_); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int descriptor_;
};

bool DisplayOpen() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

// SDL has no pixel format for palette displays and reports them as unknown; X11 knows the depth.
int X11DefaultDepth() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const int depth = DefaultDepth(display, DefaultScreen(display));
  XCloseDisplay(display);
  return depth;
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string result;
  for (char c : text)
    if (c != '\r') result += c;
  return result;
}

// The message box is a window of its own (on X, over a connection of its own) that takes the
// keyboard focus while it is up; once it is gone the focus would stay wherever the window system
// leaves it, on a bare X server nowhere, and the program would see itself lose activation to its
// own box. As on other systems, the focus goes back to the window that had it, and what the box's
// conversation with the user left in our queue (its focus change, input meant for it) is settled
// before the program takes its next event: so neither the activation change nor that input reaches
// the program's filter.
void GiveFocusBackAfterBox(SDL_Window* owner) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
#if defined(SDL_VIDEO_DRIVER_X11)
  if (owner && (SDL_GetWindowFlags(owner) & SDL_WINDOW_SHOWN) && SDL_GetWindowWMInfo(owner, &info) &&
      info.subsystem == SDL_SYSWM_X11) {
    // CurrentTime: a time of ours from before the box would be older than the box's own focus
    // change, and X ignores such a request.
    XRaiseWindow(info.info.x11.display, info.info.x11.window);
    XSetInputFocus(info.info.x11.display, info.info.x11.window, RevertToParent, CurrentTime);
    // Every event up to the focus coming back is now in; SDL reads them all at once, so the focus
    // loss and its return cancel out.
    XSync(info.info.x11.display, False);
  }
#else
  (void)owner;
  (void)info;
#endif
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
}

class SdlSystem final : public System {
 public:
  std::string TemporaryDirectory() override { return PrivateRuntimeDirectory(); }

  Size ScreenSize() override {
    SDL_Rect bounds{};
    if (!DisplayOpen() || SDL_GetDisplayBounds(0, &bounds) != 0) return {};
    return {bounds.w, bounds.h};
  }

  int ColorDepth() override {
    if (!DisplayOpen()) return 0;
    if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "x11") == 0)
      return X11DefaultDepth();
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
    return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  }

  Point CursorPosition() override {
    if (!DisplayOpen()) return {};
    Point point;
    SDL_GetGlobalMouseState(&point.x, &point.y);
    return point;
  }

  int ShowCursor(bool show) override {
    showCount_ += show ? 1 : -1;
    if (DisplayOpen()) SDL_ShowCursor(showCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return showCount_;
  }

  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    const std::string lines = WithoutCarriageReturns(text);
    // The box belongs to the window with the focus, so that a window manager keeps it above a
    // stay-on-top window of ours.
    SDL_Window* owner = DisplayOpen() ? SDL_GetKeyboardFocus() : nullptr;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), lines.c_str(),
                                 owner) != 0) {
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), lines.c_str());
      return;
    }
    if (owner) GiveFocusBackAfterBox(owner);
  }

  InstanceLockAttempt AcquireInstanceLock(const std::string& name) override {
    InstanceLockAttempt attempt;
    const std::string directory = PrivateRuntimeDirectory();
    if (directory.empty() || name.empty() || name.find('/') != std::string::npos) return attempt;
    const std::string path = directory + name;
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) return attempt;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
      const bool held = errno == EWOULDBLOCK;
      close(descriptor);
      if (held) attempt.outcome = InstanceLockAttempt::Outcome::HeldElsewhere;
      return attempt;
    }
    attempt.outcome = InstanceLockAttempt::Outcome::Acquired;
    attempt.lock = std::make_unique<FileLock>(descriptor);
    return attempt;
  }

  PasswordFlag ScreenSaverPasswordFlag() override { return PasswordFlag::SettingsMissing; }
  PasswordVerdict VerifyScreenSaverPassword(WindowHandle) override {
    return PasswordVerdict::Unavailable;
  }
  PasswordChangeFacility FindPasswordChange() override { return PasswordChangeFacility::Missing; }
  void ChangePassword(WindowHandle) override {}

 private:
  int showCount_ = 0;
};

}  // namespace

System& NativeSystem() {
  static SdlSystem system;
  return system;
}

}  // namespace wobbert::platform
