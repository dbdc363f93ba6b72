// Linux backend of NativeApplication and NativeWindow on SDL2.
//
// Windows present their back buffer through the window surface. SDL's timers tick on SDL's
// timer thread; the tick only pushes an event, which the GUI thread turns into a Timer message.
// Signals keep their default meaning (SDL's handlers are off), so the program ends on SIGTERM
// like any other.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <algorithm>
#include <deque>
#include <map>

#include "platform/native_application.h"
#include "platform/sdl/fluid_media_device.h"

namespace wobbert::platform {

namespace {

Uint32 timerEventType = static_cast<Uint32>(-1);

Uint32 TimerTick(Uint32 interval, void* parameter) {
  SDL_Event event{};
  event.type = timerEventType;
  event.user.code = static_cast<Sint32>(reinterpret_cast<std::intptr_t>(parameter));
  SDL_PushEvent(&event);
  return interval;
}

Rectangle Union(const Rectangle& a, const Rectangle& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int KeyCode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<int>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<int>('0' + (key - SDLK_0));
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return keys::enter;
    case SDLK_ESCAPE: return keys::escape;
    case SDLK_SPACE: return keys::space;
    case SDLK_BACKSPACE: return keys::backspace;
    case SDLK_TAB: return keys::tab;
    case SDLK_PAGEUP: return keys::pageUp;
    case SDLK_PAGEDOWN: return keys::pageDown;
    case SDLK_END: return keys::end;
    case SDLK_HOME: return keys::home;
    case SDLK_LEFT: return keys::left;
    case SDLK_UP: return keys::up;
    case SDLK_RIGHT: return keys::right;
    case SDLK_DOWN: return keys::down;
    default: return keys::other;
  }
}

MouseButton ButtonOf(Uint8 button) {
  if (button == SDL_BUTTON_RIGHT) return MouseButton::Right;
  if (button == SDL_BUTTON_MIDDLE) return MouseButton::Middle;
  return MouseButton::Left;
}

class SdlApplication;

class SdlWindow final : public NativeWindow {
 public:
  SdlWindow(SdlApplication& application, SDL_Window* window)
      : application_(application), window_(window),
        canvas_(backBuffer_, [this](const Rectangle& changed) { dirty_ = Union(dirty_, changed); }) {}
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  void SetBounds(const Rectangle& bounds) override {
    bounds_ = bounds;
    SDL_SetWindowPosition(window_, bounds.left, bounds.top);
    SDL_SetWindowSize(window_, std::max(1, bounds.Width()), std::max(1, bounds.Height()));
    backBuffer_.SetSize(bounds.Width(), bounds.Height());
    dirty_ = {0, 0, backBuffer_.Width(), backBuffer_.Height()};
  }
  Rectangle Bounds() const override { return bounds_; }

  void SetStyle(bool borderless, bool stayOnTop) override {
    SDL_SetWindowBordered(window_, borderless ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowAlwaysOnTop(window_, stayOnTop ? SDL_TRUE : SDL_FALSE);
  }
  void SetCaption(const std::string& caption) override { SDL_SetWindowTitle(window_, caption.c_str()); }

  void Show() override {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
    visible_ = true;
    paintPending_ = true;
    dirty_ = {0, 0, backBuffer_.Width(), backBuffer_.Height()};
  }
  void Hide() override;
  bool Visible() const override { return visible_; }
  void Invalidate() override { paintPending_ = visible_; }

  Canvas& WindowCanvas() override { return canvas_; }

  WindowHandle Handle() const override {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window_, &info)) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) return static_cast<WindowHandle>(info.info.x11.window);
#endif
    return 0;
  }

  Uint32 Id() const { return SDL_GetWindowID(window_); }
  bool HasFocus() const {
    return visible_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
  }
  void TakeFocus() { SDL_SetWindowInputFocus(window_); }
  bool TakePaint() { return std::exchange(paintPending_, false); }
  void Uncovered() { dirty_ = {0, 0, backBuffer_.Width(), backBuffer_.Height()}; }

  void Present() {
    const Rectangle area = Intersection(dirty_, {0, 0, backBuffer_.Width(), backBuffer_.Height()});
    if (!visible_ || area.Empty()) return;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    // SDL only reads the source surface; it wants a non-const pointer all the same.
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(backBuffer_.Bits()), backBuffer_.Width(), backBuffer_.Height(), 24,
        backBuffer_.Stride(), SDL_PIXELFORMAT_BGR24);
    if (!source) return;
    SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
    SDL_Rect destination = rect;
    if (SDL_BlitSurface(source, &rect, target, &destination) == 0 &&
        SDL_UpdateWindowSurfaceRects(window_, &rect, 1) == 0) {
      dirty_ = {};
    }
    SDL_FreeSurface(source);
  }

 private:
  SdlApplication& application_;
  SDL_Window* window_;
  Bitmap backBuffer_;
  Canvas canvas_;
  Rectangle bounds_;
  Rectangle dirty_;
  bool visible_ = false;
  bool paintPending_ = false;
};

class SdlApplication final : public NativeApplication {
 public:
  ~SdlApplication() override {
    for (auto& [id, timer] : timers_) SDL_RemoveTimer(timer.sdlTimer);
    for (SDL_Cursor* cursor : cursors_)
      if (cursor) SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
  }

  std::unique_ptr<NativeWindow> CreateWindow() override {
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    if (!window) return nullptr;
    auto native = std::make_unique<SdlWindow>(*this, window);
    windows_[native->Id()] = native.get();
    return native;
  }

  void FocusAnotherWindow(const SdlWindow& hidden) {
    for (auto& [id, window] : windows_) {
      if (window != &hidden && window->Visible()) {
        window->TakeFocus();
        return;
      }
    }
  }

  void Forget(SdlWindow& window) {
    windows_.erase(window.Id());
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [&](const Message& m) { return m.window == &window; }),
                 queue_.end());
    for (auto it = timers_.begin(); it != timers_.end();) {
      if (it->second.window == &window) {
        SDL_RemoveTimer(it->second.sdlTimer);
        it = timers_.erase(it);
      } else {
        ++it;
      }
    }
  }

  bool NextMessage(Message& message, bool wait) override {
    for (;;) {
      for (auto& [id, window] : windows_) window->Present();
      SDL_Event event;
      while (SDL_PollEvent(&event)) Translate(event);
      NoteApplicationActivation();
      if (TakeMessage(message)) return true;
      if (!wait) return false;
      if (SDL_WaitEvent(&event)) Translate(event);
    }
  }

  int StartTimer(NativeWindow& window, int intervalMilliseconds) override {
    const int id = nextTimer_++;
    const SDL_TimerID sdlTimer =
        SDL_AddTimer(static_cast<Uint32>(std::max(1, intervalMilliseconds)), TimerTick,
                     reinterpret_cast<void*>(static_cast<std::intptr_t>(id)));
    if (sdlTimer == 0) return id;  // never ticks; stopping it is still allowed
    timers_[id] = {sdlTimer, &window, false};
    return id;
  }

  void StopTimer(int timer) override {
    if (auto it = timers_.find(timer); it != timers_.end()) {
      SDL_RemoveTimer(it->second.sdlTimer);
      timers_.erase(it);
    }
  }

  void SetMouseCursor(MouseCursor shape) override {
    const auto index = static_cast<std::size_t>(shape);
    if (!cursors_[index]) {
      cursors_[index] = SDL_CreateSystemCursor(shape == MouseCursor::Hourglass ? SDL_SYSTEM_CURSOR_WAIT
                                                                               : SDL_SYSTEM_CURSOR_ARROW);
    }
    if (cursors_[index] && SDL_GetCursor() != cursors_[index]) SDL_SetCursor(cursors_[index]);
  }

  std::unique_ptr<ForeignWindow> OpenForeignWindow(WindowHandle window) override {
    return OpenNativeForeignWindow(window);
  }

 private:
  struct TimerEntry {
    SDL_TimerID sdlTimer = 0;
    NativeWindow* window = nullptr;
    bool pending = false;
  };

  SdlWindow* Find(Uint32 windowId) {
    const auto it = windows_.find(windowId);
    return it == windows_.end() ? nullptr : it->second;
  }

  void Queue(MessageKind kind, SdlWindow* window, auto&& fill) {
    if (!window) return;
    Message message;
    message.kind = kind;
    message.window = window;
    fill(message);
    queue_.push_back(message);
  }

  void Translate(const SDL_Event& event) {
    if (Message notice; TranslateMediaNotice(event, notice)) {
      queue_.push_back(notice);
      return;
    }
    if (event.type == timerEventType) {
      if (auto it = timers_.find(event.user.code); it != timers_.end()) it->second.pending = true;
      return;
    }
    switch (event.type) {
      case SDL_MOUSEMOTION:
        Queue(MessageKind::MouseMove, Find(event.motion.windowID), [&](Message& m) {
          m.x = event.motion.x;
          m.y = event.motion.y;
        });
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        Queue(event.type == SDL_MOUSEBUTTONDOWN ? MessageKind::MouseDown : MessageKind::MouseUp,
              Find(event.button.windowID), [&](Message& m) {
                m.x = event.button.x;
                m.y = event.button.y;
                m.button = ButtonOf(event.button.button);
                m.clicks = event.button.clicks >= 2 ? 2 : 1;
              });
        break;
      case SDL_MOUSEWHEEL:
        Queue(MessageKind::MouseWheel, Find(event.wheel.windowID), [&](Message& m) {
          SDL_GetMouseState(&m.x, &m.y);
          m.wheel = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        });
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        MessageKind kind = MessageKind::KeyUp;
        if (event.type == SDL_KEYDOWN)
          kind = (event.key.keysym.mod & KMOD_ALT) ? MessageKind::SystemKeyDown : MessageKind::KeyDown;
        Queue(kind, Find(event.key.windowID), [&](Message& m) { m.key = KeyCode(event.key.keysym.sym); });
        break;
      }
      case SDL_WINDOWEVENT: {
        SdlWindow* window = Find(event.window.windowID);
        switch (event.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
          case SDL_WINDOWEVENT_FOCUS_LOST:
            Queue(MessageKind::Activate, window, [&](Message& m) {
              m.active = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            });
            break;
          case SDL_WINDOWEVENT_CLOSE: Queue(MessageKind::CloseRequest, window, [](Message&) {}); break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (window) window->Uncovered();
            break;
          default: break;
        }
        break;
      }
      default: break;
    }
  }

  // Activation of the application as a whole: one of its windows has the keyboard focus.
  void NoteApplicationActivation() {
    const bool active = std::any_of(windows_.begin(), windows_.end(),
                                    [](const auto& entry) { return entry.second->HasFocus(); });
    if (active == applicationActive_) return;
    applicationActive_ = active;
    Message message;
    message.kind = MessageKind::ApplicationActivate;
    message.active = active;
    queue_.push_back(message);
  }

  bool TakeMessage(Message& message) {
    if (!queue_.empty()) {
      message = queue_.front();
      queue_.pop_front();
      return true;
    }
    for (auto& [id, window] : windows_) {
      if (window->TakePaint()) {
        message = {};
        message.kind = MessageKind::Paint;
        message.window = window;
        return true;
      }
    }
    for (auto& [id, timer] : timers_) {
      if (std::exchange(timer.pending, false)) {
        message = {};
        message.kind = MessageKind::Timer;
        message.window = timer.window;
        message.timer = id;
        return true;
      }
    }
    return false;
  }

  std::map<Uint32, SdlWindow*> windows_;
  std::map<int, TimerEntry> timers_;
  std::deque<Message> queue_;
  SDL_Cursor* cursors_[2] = {nullptr, nullptr};
  int nextTimer_ = 1;
  bool applicationActive_ = false;
};

// As on other systems, the keyboard focus passes from a window that hides to another visible
// window of the application; an X display without a window manager would leave it nowhere.
void SdlWindow::Hide() {
  const bool hadFocus = HasFocus();
  SDL_HideWindow(window_);
  visible_ = false;
  paintPending_ = false;
  if (hadFocus) application_.FocusAnotherWindow(*this);
}

SdlWindow::~SdlWindow() {
  application_.Forget(*this);
  SDL_DestroyWindow(window_);
}

// SDL wakes its waiting event loop with a message sent to one of our windows over a second
// connection; sent just as that window is destroyed, the message fails with BadWindow, and
// Xlib's default handler would end the program for it. A failed request of ours is never worth
// that: the X errors that matter are caught where they are expected.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

Result<std::unique_ptr<NativeApplication>> OpenNativeApplication() {
#if defined(SDL_VIDEO_DRIVER_X11)
  XSetErrorHandler(IgnoreXError);
#endif
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Present through the window system's own surface: an accelerated one would have SDL recreate
  // a shown window for OpenGL behind our back (a new window id, a window that may stay unmapped,
  // placed at the screen's corner instead of where we put it). Not even the environment may ask
  // for one.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    return Error{std::string("Cannot open the display: ") + SDL_GetError()};
  }
  // When the display cannot be opened SDL falls back to drivers that show nothing; a screen
  // saver nobody can see (and that nothing can end) is worse than none. They stay available to
  // whoever asks for them by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) &&
      !(requested && SDL_strstr(requested, driver))) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    return Error{"Cannot open the display"};
  }
  if (timerEventType == static_cast<Uint32>(-1)) timerEventType = SDL_RegisterEvents(1);
  return std::unique_ptr<NativeApplication>(std::make_unique<SdlApplication>());
}

}  // namespace wobbert::platform
