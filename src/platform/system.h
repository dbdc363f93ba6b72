// The seam: what the program asks of the operating system outside its windows' events.
//
// One object holds a backend's state. The native backend (sdl/ on Linux, win32/ on Windows)
// provides NativeSystem(); tests install a fake with InstallSystem and restore with nullptr.
// Every call is made on the GUI thread. Where a facility does not exist on a system, the call
// says so in its result; the program decides what that means.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace wobbert::platform {

struct Point {
  int x = 0;
  int y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  constexpr bool operator==(const Size&) const = default;
};

// A window of the system in its own number space (a window handle, an X11 window id).
using WindowHandle = std::uintptr_t;

// Held for as long as the object lives; another process asking for the same name meanwhile is
// told the lock is held.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
};

struct InstanceLockAttempt {
  enum class Outcome { Acquired, HeldElsewhere, Unavailable };
  Outcome outcome = Outcome::Unavailable;
  std::unique_ptr<InstanceLock> lock;  // set when Acquired
};

// Whether the user wants the screen-saver password asked.
enum class PasswordFlag {
  SettingsMissing,  // the system keeps no such setting (or it cannot be opened)
  Off,              // the setting exists; no password (also: value missing or unreadable)
  On,
};

enum class PasswordVerdict { Accepted, Rejected, Unavailable };

// The system's password-change call, looked up in two steps like a function in a library.
enum class PasswordChangeFacility {
  Missing,      // no library to look in
  LibraryOnly,  // the library is there, the call is not
  Present,
};

class System {
 public:
  virtual ~System() = default;

  // The per-user temporary directory, ending in a separator; empty when there is none.
  virtual std::string TemporaryDirectory() = 0;

  // The desktop. These need the application's display (see native_application.h); before it is
  // open they give zeros.
  virtual Size ScreenSize() = 0;
  // Bits per pixel of the display.
  virtual int ColorDepth() = 0;
  // In screen coordinates.
  virtual Point CursorPosition() = 0;
  // The system's show count: the cursor is visible while the count is 0 or more. Returns the new
  // count.
  virtual int ShowCursor(bool show) = 0;

  // A modal message box owned by no window; where none can be shown, the text goes to the
  // standard error stream. Usable before the application's display is open.
  virtual void ShowMessageBox(const std::string& caption, const std::string& text) = 0;

  // A lock named across the user's processes.
  virtual InstanceLockAttempt AcquireInstanceLock(const std::string& name) = 0;

  virtual PasswordFlag ScreenSaverPasswordFlag() = 0;
  // Runs the system's password dialog for the given window until the user answers.
  virtual PasswordVerdict VerifyScreenSaverPassword(WindowHandle window) = 0;
  virtual PasswordChangeFacility FindPasswordChange() = 0;
  // Runs the system's password-change dialog; only after FindPasswordChange gave Present.
  virtual void ChangePassword(WindowHandle parent) = 0;

  // Opens a web address in the user's browser, on behalf of the window `owner`; whether that
  // worked is not reported. The default, in each backend's web_address.cpp, asks the system.
  virtual void OpenWebAddress(WindowHandle owner, const std::string& address);

  // Gives the processor away for about this long.
  virtual void Sleep(int milliseconds);
};

// The backend of the system the program was built for.
System& NativeSystem();

// The installed system, or the native one when none is installed.
System& CurrentSystem();
void InstallSystem(System* system);

}  // namespace wobbert::platform
