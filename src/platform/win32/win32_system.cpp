// Windows backend of System: the desktop, the cursor, message boxes, the named semaphore, and the
// screen-saver password facilities of the system directory (the registry flag, the verifier in
// PASSWORD.CPL, the change dialog in MPR.DLL).
//
// Libraries are loaded by their full path in the system directory, never by a bare name that
// the search order could resolve to a file next to the program or in the current directory.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/win32/system_dialog.h"

namespace wobbert::platform {

int systemDialogDepth = 0;

namespace {

// The system directory with a trailing backslash; empty when it cannot be read.
std::string SystemDirectory() {
  char buffer[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string directory(buffer, length);
  if (directory.back() != '\\') directory += '\\';
  return directory;
}

HMODULE LoadSystemLibrary(const char* name) { return LoadLibraryA((SystemDirectory() + name).c_str()); }

// GetProcAddress gives a generic function pointer; the caller names the real type.
template <typename Function>
Function Export(HMODULE library, const char* name) {
  const FARPROC address = GetProcAddress(library, name);
  Function function = nullptr;
  static_assert(sizeof function == sizeof address);
  std::memcpy(&function, &address, sizeof function);
  return function;
}

using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

class Semaphore final : public InstanceLock {
 public:
  explicit Semaphore(HANDLE handle) : handle_(handle) {}
  ~Semaphore() override { CloseHandle(handle_); }
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

 private:
  HANDLE handle_;
};

class Win32System final : public System {
 public:
  ~Win32System() override {
    if (passwordChangeLibrary_) FreeLibrary(passwordChangeLibrary_);
  }

  std::string TemporaryDirectory() override {
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {  // too small: length is the size needed
      buffer.resize(length);
      length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
      if (length >= buffer.size()) return {};
    }
    return std::string(buffer.data(), length);
  }

  Size ScreenSize() override { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

  int ColorDepth() override {
    const HWND desktop = GetDesktopWindow();
    const HDC context = GetWindowDC(desktop);
    if (!context) return 0;
    const int bits = GetDeviceCaps(context, BITSPIXEL);
    ReleaseDC(desktop, context);
    return bits;
  }

  Point CursorPosition() override {
    POINT point{};
    if (!GetCursorPos(&point)) return {};
    return {point.x, point.y};
  }

  int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    ++systemDialogDepth;
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
    --systemDialogDepth;
  }

  InstanceLockAttempt AcquireInstanceLock(const std::string& name) override {
    InstanceLockAttempt attempt;
    const HANDLE handle = CreateSemaphoreA(nullptr, 0, 1, name.c_str());
    if (!handle) return attempt;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(handle);
      attempt.outcome = InstanceLockAttempt::Outcome::HeldElsewhere;
      return attempt;
    }
    attempt.outcome = InstanceLockAttempt::Outcome::Acquired;
    attempt.lock = std::make_unique<Semaphore>(handle);
    return attempt;
  }

  PasswordFlag ScreenSaverPasswordFlag() override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return PasswordFlag::SettingsMissing;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    // Only a 32-bit integer value counts; text or a missing value means no password.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return PasswordFlag::Off;
    return value != 0 ? PasswordFlag::On : PasswordFlag::Off;
  }

  PasswordVerdict VerifyScreenSaverPassword(WindowHandle window) override {
    const HMODULE library = LoadSystemLibrary("PASSWORD.CPL");
    if (!library) return PasswordVerdict::Unavailable;
    PasswordVerdict verdict = PasswordVerdict::Unavailable;
    if (const auto verify = Export<VerifyScreenSavePwdFunction>(library, "VerifyScreenSavePwd")) {
      ++systemDialogDepth;
      // Only the low byte counts, as callers of this entry point have always read it.
      const BOOL accepted = verify(reinterpret_cast<HWND>(window));
      --systemDialogDepth;
      verdict = (accepted & 0xFF) != 0 ? PasswordVerdict::Accepted : PasswordVerdict::Rejected;
    }
    FreeLibrary(library);
    return verdict;
  }

  PasswordChangeFacility FindPasswordChange() override {
    if (!passwordChangeLibrary_) passwordChangeLibrary_ = LoadSystemLibrary("MPR.DLL");
    if (!passwordChangeLibrary_) return PasswordChangeFacility::Missing;
    passwordChange_ = Export<PwdChangePasswordFunction>(passwordChangeLibrary_, "PwdChangePasswordA");
    return passwordChange_ ? PasswordChangeFacility::Present : PasswordChangeFacility::LibraryOnly;
  }

  void ChangePassword(WindowHandle parent) override {
    if (!passwordChange_) return;
    ++systemDialogDepth;
    passwordChange_("SCRSAVE", reinterpret_cast<HWND>(parent), 0, 0);
    --systemDialogDepth;
  }

 private:
  HMODULE passwordChangeLibrary_ = nullptr;
  PwdChangePasswordFunction passwordChange_ = nullptr;
};

}  // namespace

System& NativeSystem() {
  static Win32System system;
  return system;
}

}  // namespace wobbert::platform
