// The seam for windows and their events: one application object per process, its windows and
// timers, and the queue of messages the program takes from it.
//
// The program's own message loop (framework/application.h) takes one message at a time with
// NextMessage and hands it out; the backend only translates the system's events into Message
// values. Order: messages are delivered in the order the system reported them; paint and timer
// messages come last, when nothing else is queued, at most one pending per window or timer.
//
// A window draws into its back buffer through WindowCanvas(); the canvas tells the window what
// changed and the backend presents the changed part before it next waits for events. The backend
// restores what the system uncovers from the back buffer itself; a Paint message is delivered
// when the window is first shown and after Invalidate.
#pragma once

#include <memory>
#include <string>

#include "platform/foreign_window.h"
#include "platform/system.h"
#include "toolkit/canvas.h"
#include "toolkit/rectangle.h"
#include "toolkit/result.h"

namespace wobbert::platform {

class NativeWindow;

enum class MessageKind {
  Paint,
  MouseMove,
  MouseDown,
  MouseUp,
  MouseWheel,  // `wheel` notches at (x, y); positive turns away from the user
  KeyDown,
  SystemKeyDown,  // a key pressed together with Alt
  KeyUp,
  Activate,             // one window gained or lost the keyboard focus
  ApplicationActivate,  // the application as a whole became active or inactive
  CloseRequest,         // the user asked the system to close the window
  Timer,
  MediaNotice,  // a media device's completion notice (platform/media_device.h)
};

enum class MouseButton { Left, Right, Middle };

// Key codes: the Windows virtual-key numbers, for the keys the program names.
namespace keys {
inline constexpr int backspace = 0x08;
inline constexpr int tab = 0x09;
inline constexpr int enter = 0x0D;
inline constexpr int escape = 0x1B;
inline constexpr int space = 0x20;
inline constexpr int pageUp = 0x21;
inline constexpr int pageDown = 0x22;
inline constexpr int end = 0x23;
inline constexpr int home = 0x24;
inline constexpr int left = 0x25;
inline constexpr int up = 0x26;
inline constexpr int right = 0x27;
inline constexpr int down = 0x28;
inline constexpr int other = 0xFF;  // any key without a number of its own here
}  // namespace keys

struct Message {
  MessageKind kind = MessageKind::Paint;
  NativeWindow* window = nullptr;  // the window the message is for; none for ApplicationActivate
  int x = 0;                       // mouse messages: client coordinates
  int y = 0;
  MouseButton button = MouseButton::Left;
  int clicks = 1;  // MouseDown: 2 for the second press of a double-click
  int wheel = 0;   // MouseWheel
  int key = 0;          // key messages: a code of keys:: or an upper-case letter or a digit
  bool active = false;  // Activate, ApplicationActivate
  int timer = 0;        // Timer: the id StartTimer gave
  std::uintptr_t mediaDevice = 0;  // MediaNotice: the device's NoticeKey
  int mediaNotice = 0;             // MediaNotice: a platform::MediaNotice value
};

enum class MouseCursor { Arrow, Hourglass };

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // Position and size of the client area in screen coordinates; the back buffer follows the size.
  virtual void SetBounds(const Rectangle& bounds) = 0;
  virtual Rectangle Bounds() const = 0;
  virtual void SetStyle(bool borderless, bool stayOnTop) = 0;
  virtual void SetCaption(const std::string& caption) = 0;

  // Show maps the window, raises it and gives it the keyboard focus.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  // Queues one Paint message for the window (coalesced with any pending one).
  virtual void Invalidate() = 0;

  virtual Canvas& WindowCanvas() = 0;
  virtual WindowHandle Handle() const = 0;
};

class NativeApplication {
 public:
  virtual ~NativeApplication() = default;

  // The window is created hidden, 0 x 0 at (0, 0), with a border.
  virtual std::unique_ptr<NativeWindow> CreateWindow() = 0;

  // Takes the next message into `message`. With `wait`, blocks until there is one; without,
  // returns false at once when none is queued.
  virtual bool NextMessage(Message& message, bool wait) = 0;

  // A periodic timer whose ticks arrive as Timer messages for `window`. Ids are never 0.
  virtual int StartTimer(NativeWindow& window, int intervalMilliseconds) = 0;
  // Stopping an unknown or stopped id does nothing; a tick already queued is dropped.
  virtual void StopTimer(int timer) = 0;

  virtual void SetMouseCursor(MouseCursor shape) = 0;

  // The host window of a preview, by its handle from the command line. Never nullptr: a handle
  // that names no window gives a window that is never visible. Backends hand this to
  // OpenNativeForeignWindow.
  virtual std::unique_ptr<ForeignWindow> OpenForeignWindow(WindowHandle window) = 0;
};

// Opens the display of the system the program was built for.
Result<std::unique_ptr<NativeApplication>> OpenNativeApplication();

}  // namespace wobbert::platform
