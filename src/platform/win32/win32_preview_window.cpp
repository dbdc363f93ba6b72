// Windows backend of ForeignWindow: the host of a preview is the settings panel's little window,
// and we draw into a child window of our own that covers its client area, as the panel expects
// of a screen saver: the panel stops the preview by closing (or destroying) that child, or by
// hiding or destroying the host.
//
// Our child belongs to this thread, so its messages are dispatched whenever the program asks
// whether the host is visible; nothing else of ours has windows while a preview runs. The child
// keeps the last frame and repaints it from its back buffer when the system asks.
//
// The pixels go out through the host's device context, over our child's rectangle (children not
// clipped), rather than through the child's own: on Windows both reach the same pixels, but Wine
// gives a child window of a foreign host no drawable of its own, so what is drawn into the
// child's context is lost there. Each present ends by reading one pixel back, which makes a
// driver that queues drawing (Wine's X11 connection, Windows' GDI batch) put the frame on the
// screen now rather than with the next one.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/foreign_window.h"
#include "platform/win32/device_copy.h"

namespace wobbert::platform {

namespace {

constexpr const char* previewClassName = "WobbertPreview";

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32ForeignWindow final : public ForeignWindow {
 public:
  explicit Win32ForeignWindow(HWND host) : host_(host) {}
  ~Win32ForeignWindow() override {
    if (child_) {
      SetWindowLongPtrA(child_, GWLP_USERDATA, 0);
      DestroyWindow(child_);
    }
  }
  Win32ForeignWindow(const Win32ForeignWindow&) = delete;
  Win32ForeignWindow& operator=(const Win32ForeignWindow&) = delete;

  bool Visible() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return !childGone_ && IsWindowVisible(host_) != FALSE;
  }

  Rectangle WindowRect() override {
    RECT rect{};
    if (!GetWindowRect(host_, &rect)) return {};
    return {rect.left, rect.top, rect.right, rect.bottom};
  }

  Canvas& WindowCanvas() override {
    if (!canvas_) OpenCanvas();
    return *canvas_;
  }

  // From the child's window procedure.
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(child_, &paint)) {
          EndPaint(child_, &paint);
          Present({paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom});
        }
        return 0;
      }
      case WM_ERASEBKGND: return 1;  // the whole client area is ours to paint
      case WM_DESTROY:
        childGone_ = true;
        SetWindowLongPtrA(child_, GWLP_USERDATA, 0);
        child_ = nullptr;
        return 0;
      default: return DefWindowProcA(child_, message, wParam, lParam);
    }
  }

 private:
  void OpenCanvas() {
    RECT client{};
    if (IsWindow(host_) && GetClientRect(host_, &client)) {
      const HINSTANCE instance = GetModuleHandleA(nullptr);
      WNDCLASSEXA windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = PreviewProcedure;
      windowClass.hInstance = instance;
      windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
      windowClass.lpszClassName = previewClassName;
      RegisterClassExA(&windowClass);  // already registered is fine
      backBuffer_.SetSize(client.right - client.left, client.bottom - client.top);
      child_ = CreateWindowExA(0, previewClassName, "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                               backBuffer_.Width(), backBuffer_.Height(), host_, nullptr, instance, nullptr);
      if (child_) SetWindowLongPtrA(child_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!child_) childGone_ = true;  // nothing to draw on counts as a closed preview
    canvas_.emplace(backBuffer_, [this](const Rectangle& changed) { Present(changed); });
  }

  // Our child sits at the origin of the host's client area, so child and host coordinates agree.
  void Present(const Rectangle& changed) {
    if (!child_) return;
    const Rectangle area = Intersection(changed, {0, 0, backBuffer_.Width(), backBuffer_.Height()});
    if (area.Empty()) return;
    const HDC context = GetDCEx(host_, nullptr, DCX_CACHE);
    if (!context) return;
    CopyToDevice(context, backBuffer_, area);
    GetPixel(context, area.left, area.top);
    ReleaseDC(host_, context);
  }

  HWND host_;
  HWND child_ = nullptr;
  bool childGone_ = false;
  Bitmap backBuffer_;
  std::optional<Canvas> canvas_;
};

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* preview = reinterpret_cast<Win32ForeignWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!preview) return DefWindowProcA(window, message, wParam, lParam);
  return preview->Handle(message, wParam, lParam);
}

}  // namespace

std::unique_ptr<ForeignWindow> OpenNativeForeignWindow(WindowHandle window) {
  return std::make_unique<Win32ForeignWindow>(reinterpret_cast<HWND>(window));
}

}  // namespace wobbert::platform
