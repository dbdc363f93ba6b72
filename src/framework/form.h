// Form: a top-level window of the program, above the seam.
//
// A form owns a NativeWindow, created hidden; its events arrive as the virtual handlers below.
// Show runs FormShow before the window appears, so FormShow may still size and place it; the
// first Paint message follows. Close runs FormClose; a form closed with the default action is
// hidden (FormHide runs) unless it is the application's main form, whose close ends the
// application's message loop. ShowModal shows the form and runs a nested loop until the form is
// closed or gets a modal result; input for other forms is dropped meanwhile.
#pragma once

#include <memory>
#include <string>

#include "platform/native_application.h"
#include "toolkit/canvas.h"
#include "toolkit/color.h"

namespace wobbert::framework {

enum class CloseAction { None, Hide };

class Form {
 public:
  Form();
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  void SetBounds(int left, int top, int width, int height);
  Rectangle BoundsRect() const { return window_->Bounds(); }
  int ClientWidth() const { return BoundsRect().Width(); }
  int ClientHeight() const { return BoundsRect().Height(); }
  void SetStyle(bool borderless, bool stayOnTop) { window_->SetStyle(borderless, stayOnTop); }
  void SetCaption(const std::string& caption) { window_->SetCaption(caption); }
  // The background: every Paint fills the client area with it before FormPaint draws.
  Color color = Rgb(0xF0, 0xF0, 0xF0);

  void Show();
  void Hide();
  void Close();
  int ShowModal();
  bool Visible() const { return window_->Visible(); }
  bool Modal() const { return modal_; }
  // Closes a modal form with this result (0 keeps it open).
  void SetModalResult(int result) { modalResult_ = result; }
  void Invalidate() { window_->Invalidate(); }

  Canvas& GetCanvas() { return window_->WindowCanvas(); }
  platform::NativeWindow& Native() { return *window_; }

  // Called by the application for each message meant for this form.
  void Dispatch(const platform::Message& message);

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormPaint() {}
  virtual void FormClose(CloseAction& action) { (void)action; }
  virtual void FormHide() {}
  virtual void FormActivate() {}
  virtual void FormDeactivate() {}
  virtual void FormMouseMove(int x, int y) { (void)x, (void)y; }
  virtual void FormMouseDown(platform::MouseButton button, int x, int y) { (void)button, (void)x, (void)y; }
  virtual void FormMouseUp(platform::MouseButton button, int x, int y) { (void)button, (void)x, (void)y; }
  // After FormMouseDown, for the second press of a double-click.
  virtual void FormDoubleClick(int x, int y) { (void)x, (void)y; }
  virtual void FormMouseWheel(int notches, int x, int y) { (void)notches, (void)x, (void)y; }
  virtual void FormKeyDown(int key) { (void)key; }

 private:
  friend class Application;

  std::unique_ptr<platform::NativeWindow> window_;
  bool modal_ = false;
  int modalResult_ = 0;
};

}  // namespace wobbert::framework
