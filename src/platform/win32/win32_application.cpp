// Windows backend of NativeApplication and NativeWindow on user32 and gdi32.
//
// NextMessage pumps the thread's queue with PeekMessage; the window procedure only turns what it
// is given into Message values (or pending flags for paints and timer ticks) and returns, so the
// program's handlers and its application-wide filter run above the seam, on this thread, in the
// order the system reported. Each window presents its back buffer (a top-down 24-bit DIB in our
// own memory, device_copy.h): the changed part before the loop waits, and what the system
// uncovers on WM_PAINT.
//
// Activation: a window losing it (WM_ACTIVATE with WA_INACTIVE, WM_NCACTIVATE or WM_ACTIVATEAPP
// with FALSE) makes the application look again once the switch is over: when no window of this
// thread is active any more, the application as a whole lost activation. Moving between the
// program's own windows is not a loss.
#include <windows.h>
// The seam's NativeApplication::CreateWindow is ours; the system's macro of that name is not used.
#undef CreateWindow

#include <algorithm>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "platform/native_application.h"
#include "platform/win32/device_copy.h"
#include "platform/win32/mci_media_device.h"
#include "platform/win32/system_dialog.h"

namespace wobbert::platform {

namespace {

constexpr const char* windowClassName = "WobbertWindow";
// The program's icon resource: 100, the number screen savers have always used for theirs.
constexpr WORD applicationIcon = 100;

constexpr DWORD borderStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD borderlessStyle = WS_POPUP;

Rectangle Union(const Rectangle& a, const Rectangle& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int KeyCode(WPARAM virtualKey) {
  const auto key = static_cast<int>(virtualKey);
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
  switch (key) {
    case VK_RETURN: return keys::enter;
    case VK_ESCAPE: return keys::escape;
    case VK_SPACE: return keys::space;
    case VK_BACK: return keys::backspace;
    case VK_TAB: return keys::tab;
    case VK_PRIOR: return keys::pageUp;
    case VK_NEXT: return keys::pageDown;
    case VK_END: return keys::end;
    case VK_HOME: return keys::home;
    case VK_LEFT: return keys::left;
    case VK_UP: return keys::up;
    case VK_RIGHT: return keys::right;
    case VK_DOWN: return keys::down;
    default: return keys::other;
  }
}

// Client coordinates of a mouse message; signed, since a captured mouse may be left of or above
// the window.
int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32Application;

class Win32Window final : public NativeWindow {
 public:
  Win32Window(Win32Application& application, HWND window)
      : application_(application), window_(window),
        canvas_(backBuffer_, [this](const Rectangle& changed) { dirty_ = Union(dirty_, changed); }) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void SetBounds(const Rectangle& bounds) override {
    bounds_ = bounds;
    backBuffer_.SetSize(bounds.Width(), bounds.Height());
    dirty_ = {0, 0, backBuffer_.Width(), backBuffer_.Height()};
    Place();
  }
  Rectangle Bounds() const override { return bounds_; }

  void SetStyle(bool borderless, bool stayOnTop) override {
    const auto style = static_cast<LONG_PTR>(GetWindowLongPtrA(window_, GWL_STYLE));
    const LONG_PTR frame = static_cast<LONG_PTR>(borderStyle | borderlessStyle);
    const LONG_PTR wanted = static_cast<LONG_PTR>(borderless ? borderlessStyle : borderStyle);
    SetWindowLongPtrA(window_, GWL_STYLE, (style & ~frame) | wanted);
    SetWindowPos(window_, stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Place();  // the frame changed, so the client area moved
  }

  void SetCaption(const std::string& caption) override { SetWindowTextA(window_, caption.c_str()); }

  void Show() override {
    visible_ = true;
    paintPending_ = true;
    dirty_ = {0, 0, backBuffer_.Width(), backBuffer_.Height()};
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  void Hide() override {
    visible_ = false;
    paintPending_ = false;
    ShowWindow(window_, SW_HIDE);
  }
  bool Visible() const override { return visible_; }
  void Invalidate() override { paintPending_ = visible_; }

  Canvas& WindowCanvas() override { return canvas_; }
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(window_); }

  HWND Window() const { return window_; }
  Win32Application& Application() { return application_; }
  // Whole notches of a wheel turn; fine-grained wheels report fractions of a notch, which add up.
  int WheelNotches(int delta) {
    wheelDelta_ += delta;
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ -= notches * WHEEL_DELTA;
    return notches;
  }
  bool TakePaint() { return std::exchange(paintPending_, false); }

  // Copies the changed part of the back buffer to the screen.
  void Present() {
    if (!visible_ || dirty_.Empty()) return;
    if (const HDC context = GetDC(window_)) {
      CopyToDevice(context, backBuffer_, dirty_);
      ReleaseDC(window_, context);
    }
    dirty_ = {};
  }

  // WM_PAINT: what the system uncovered comes back from the back buffer.
  void Restore() {
    PAINTSTRUCT paint{};
    const HDC context = BeginPaint(window_, &paint);
    if (context) {
      CopyToDevice(context, backBuffer_, {paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom});
    }
    EndPaint(window_, &paint);
  }

 private:
  // Moves the window so that its client area covers bounds_.
  void Place() {
    RECT frame{bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE));
    const auto extendedStyle = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  Win32Application& application_;
  HWND window_;
  Bitmap backBuffer_;
  Canvas canvas_;
  Rectangle bounds_;
  Rectangle dirty_;
  bool visible_ = false;
  bool paintPending_ = false;
  int wheelDelta_ = 0;
};

class Win32Application final : public NativeApplication {
 public:
  explicit Win32Application(HINSTANCE instance) : instance_(instance) {}
  ~Win32Application() override {
    for (auto& [id, timer] : timers_) KillTimer(timer.window->Window(), static_cast<UINT_PTR>(id));
    UnregisterClassA(windowClassName, instance_);
  }
  Win32Application(const Win32Application&) = delete;
  Win32Application& operator=(const Win32Application&) = delete;

  std::unique_ptr<NativeWindow> CreateWindow() override {
    const HWND window = CreateWindowExA(0, windowClassName, "", borderStyle, 0, 0, 0, 0, nullptr, nullptr,
                                        instance_, nullptr);
    if (!window) return nullptr;
    auto native = std::make_unique<Win32Window>(*this, window);
    windows_.push_back(native.get());
    return native;
  }

  void Forget(Win32Window& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [&](const Message& m) { return m.window == &window; }),
                 queue_.end());
    for (auto it = timers_.begin(); it != timers_.end();) {
      if (it->second.window == &window) {
        KillTimer(window.Window(), static_cast<UINT_PTR>(it->first));
        it = timers_.erase(it);
      } else {
        ++it;
      }
    }
  }

  bool NextMessage(Message& message, bool wait) override {
    for (;;) {
      for (Win32Window* window : windows_) window->Present();
      MSG systemMessage;
      while (PeekMessageA(&systemMessage, nullptr, 0, 0, PM_REMOVE)) {
        // Nothing of ours posts WM_QUIT; one from elsewhere is not ours to obey.
        if (systemMessage.message == WM_QUIT) continue;
        if (Message notice; TranslateMciNotify(systemMessage, notice)) {
          queue_.push_back(notice);
          continue;
        }
        DispatchMessageA(&systemMessage);
      }
      NoteApplicationActivation();
      if (TakeMessage(message)) return true;
      if (!wait) return false;
      WaitMessage();
    }
  }

  int StartTimer(NativeWindow& window, int intervalMilliseconds) override {
    const int id = nextTimer_++;
    auto& native = static_cast<Win32Window&>(window);
    const UINT interval = static_cast<UINT>(std::max(1, intervalMilliseconds));
    if (SetTimer(native.Window(), static_cast<UINT_PTR>(id), interval, nullptr) == 0) {
      return id;  // never ticks; stopping it is still allowed
    }
    timers_[id] = {&native, false};
    return id;
  }

  void StopTimer(int timer) override {
    if (auto it = timers_.find(timer); it != timers_.end()) {
      KillTimer(it->second.window->Window(), static_cast<UINT_PTR>(timer));
      timers_.erase(it);
    }
  }

  void SetMouseCursor(MouseCursor shape) override {
    if (shape == cursorShape_ && cursor_) return;
    cursorShape_ = shape;
    cursor_ = LoadCursorA(nullptr, shape == MouseCursor::Hourglass ? IDC_WAIT : IDC_ARROW);
    ::SetCursor(cursor_);
  }

  std::unique_ptr<ForeignWindow> OpenForeignWindow(WindowHandle window) override {
    return OpenNativeForeignWindow(window);
  }

  // The window procedure's half: records what the system said about `window` and returns the
  // answer the system expects.
  LRESULT Record(Win32Window& window, UINT code, WPARAM wParam, LPARAM lParam) {
    const HWND handle = window.Window();
    switch (code) {
      case WM_MOUSEMOVE:
        Queue(MessageKind::MouseMove, window, [&](Message& m) {
          m.x = MouseX(lParam);
          m.y = MouseY(lParam);
        });
        return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP: {
        const bool doubleClick = code == WM_LBUTTONDBLCLK || code == WM_RBUTTONDBLCLK || code == WM_MBUTTONDBLCLK;
        const bool down = doubleClick || code == WM_LBUTTONDOWN || code == WM_RBUTTONDOWN || code == WM_MBUTTONDOWN;
        const bool right = code == WM_RBUTTONDOWN || code == WM_RBUTTONDBLCLK || code == WM_RBUTTONUP;
        const bool middle = code == WM_MBUTTONDOWN || code == WM_MBUTTONDBLCLK || code == WM_MBUTTONUP;
        Queue(down ? MessageKind::MouseDown : MessageKind::MouseUp, window, [&](Message& m) {
          m.x = MouseX(lParam);
          m.y = MouseY(lParam);
          m.button = right ? MouseButton::Right : middle ? MouseButton::Middle : MouseButton::Left;
          m.clicks = doubleClick ? 2 : 1;
        });
        // While a button is held the window keeps the mouse, so a drag (the list's scroll-bar
        // thumb) that ends outside it still ends with a release.
        if (down) {
          SetCapture(handle);
        } else if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == handle) {
          ReleaseCapture();
        }
        return 0;
      }
      case WM_MOUSEWHEEL: {
        POINT point{MouseX(lParam), MouseY(lParam)};  // screen coordinates for this one
        ScreenToClient(handle, &point);
        const int notches = window.WheelNotches(GET_WHEEL_DELTA_WPARAM(wParam));
        if (notches == 0) return 0;
        Queue(MessageKind::MouseWheel, window, [&](Message& m) {
          m.x = point.x;
          m.y = point.y;
          m.wheel = notches;
        });
        return 0;
      }
      case WM_KEYDOWN:
        Queue(MessageKind::KeyDown, window, [&](Message& m) { m.key = KeyCode(wParam); });
        return 0;
      case WM_KEYUP:
        Queue(MessageKind::KeyUp, window, [&](Message& m) { m.key = KeyCode(wParam); });
        return 0;
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        Queue(code == WM_SYSKEYDOWN ? MessageKind::SystemKeyDown : MessageKind::KeyUp, window,
              [&](Message& m) { m.key = KeyCode(wParam); });
        break;  // the system still gets Alt+F4 and the window menu
      case WM_ACTIVATE: {
        const bool active = LOWORD(wParam) != WA_INACTIVE;
        Queue(MessageKind::Activate, window, [&](Message& m) { m.active = active; });
        NoteActivationChange(active);
        break;
      }
      case WM_NCACTIVATE:
      case WM_ACTIVATEAPP: NoteActivationChange(wParam != FALSE); break;
      case WM_CLOSE: Queue(MessageKind::CloseRequest, window, [](Message&) {}); return 0;
      case WM_TIMER:
        if (auto it = timers_.find(static_cast<int>(wParam)); it != timers_.end() && it->second.window == &window)
          it->second.pending = true;
        return 0;
      case WM_ERASEBKGND: return 1;  // the back buffer covers every pixel
      case WM_PAINT: window.Restore(); return 0;
      case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
          ::SetCursor(cursor_ ? cursor_ : LoadCursorA(nullptr, IDC_ARROW));
          return TRUE;
        }
        break;
      default: break;
    }
    return DefWindowProcA(handle, code, wParam, lParam);
  }

 private:
  struct TimerEntry {
    Win32Window* window = nullptr;
    bool pending = false;
  };

  static bool Input(MessageKind kind) {
    return kind == MessageKind::MouseMove || kind == MessageKind::MouseDown || kind == MessageKind::MouseUp ||
           kind == MessageKind::MouseWheel ||
           kind == MessageKind::KeyDown || kind == MessageKind::SystemKeyDown || kind == MessageKind::KeyUp;
  }

  void Queue(MessageKind kind, Win32Window& window, auto&& fill) {
    // What a system dialog's own loop hands to our windows is that dialog's business.
    if (systemDialogDepth > 0 && Input(kind)) return;
    Message message;
    message.kind = kind;
    message.window = &window;
    fill(message);
    queue_.push_back(message);
  }

  void NoteActivationChange(bool gained) {
    if (gained) {
      SetApplicationActive(true);
    } else {
      activationCheckPending_ = true;  // decided once the switch is over
    }
  }

  // A loss counts only when no window of this thread is active once the system is done.
  void NoteApplicationActivation() {
    if (!std::exchange(activationCheckPending_, false)) return;
    if (GetActiveWindow() == nullptr) SetApplicationActive(false);
  }

  void SetApplicationActive(bool active) {
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
    for (Win32Window* window : windows_) {
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

  HINSTANCE instance_;
  std::vector<Win32Window*> windows_;
  std::map<int, TimerEntry> timers_;
  std::deque<Message> queue_;
  HCURSOR cursor_ = nullptr;
  MouseCursor cursorShape_ = MouseCursor::Arrow;
  int nextTimer_ = 1;
  bool applicationActive_ = false;
  bool activationCheckPending_ = false;
};

Win32Window::~Win32Window() {
  application_.Forget(*this);
  // The window says nothing more to us while it goes.
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* native = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!native) return DefWindowProcA(window, message, wParam, lParam);
  return native->Application().Record(*native, message, wParam, lParam);
}

}  // namespace

Result<std::unique_ptr<NativeApplication>> OpenNativeApplication() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;  // a second press in time arrives as a double-click
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(applicationIcon));
  windowClass.lpszClassName = windowClassName;
  if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return Error{"Cannot register the window class (error " + std::to_string(GetLastError()) + ")"};
  }
  return std::unique_ptr<NativeApplication>(std::make_unique<Win32Application>(instance));
}

}  // namespace wobbert::platform
