// FakeNativeApplication: the windows-and-events seam without a display. Tests queue messages;
// the fake records what the program asked of its windows and timers. When the queue runs dry
// while the program waits, `whenEmpty` runs (by default it ends the application's loop and notes
// that it did).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_foreign_window.h"
#include "platform/native_application.h"
#include "toolkit/bitmap.h"

namespace wobbert::fakes {

class FakeNativeApplication;

class FakeWindow final : public platform::NativeWindow {
 public:
  FakeWindow(std::vector<std::string>& calls, platform::WindowHandle handle)
      : calls_(calls), handle_(handle), canvas_(backBuffer) {}

  void SetBounds(const Rectangle& bounds) override {
    bounds_ = bounds;
    backBuffer.SetSize(bounds.Width(), bounds.Height());
  }
  Rectangle Bounds() const override { return bounds_; }
  void SetStyle(bool isBorderless, bool isStayOnTop) override {
    borderless = isBorderless;
    stayOnTop = isStayOnTop;
  }
  void SetCaption(const std::string& text) override { caption = text; }
  void Show() override {
    calls_.push_back("Window.Show");
    visible_ = true;
  }
  void Hide() override {
    calls_.push_back("Window.Hide");
    visible_ = false;
  }
  bool Visible() const override { return visible_; }
  void Invalidate() override { ++invalidations; }
  Canvas& WindowCanvas() override { return canvas_; }
  platform::WindowHandle Handle() const override { return handle_; }

  Bitmap backBuffer;
  bool borderless = false;
  bool stayOnTop = false;
  std::string caption;
  int invalidations = 0;

 private:
  std::vector<std::string>& calls_;
  platform::WindowHandle handle_;
  Canvas canvas_;
  Rectangle bounds_;
  bool visible_ = false;
};

class FakeNativeApplication final : public platform::NativeApplication {
 public:
  explicit FakeNativeApplication(std::vector<std::string>& log) : calls(log) {}

  std::unique_ptr<platform::NativeWindow> CreateWindow() override {
    calls.push_back("CreateWindow");
    auto window = std::make_unique<FakeWindow>(calls, 1000 + windows.size());
    windows.push_back(window.get());
    return window;
  }

  bool NextMessage(platform::Message& message, bool wait) override {
    if (queue.empty() && wait) {
      ranDry = true;
      if (whenEmpty) whenEmpty();
    }
    if (queue.empty()) return false;
    message = queue.front();
    queue.pop_front();
    return true;
  }

  int StartTimer(platform::NativeWindow& window, int intervalMilliseconds) override {
    timers[nextTimer] = {&window, intervalMilliseconds};
    calls.push_back("StartTimer(" + std::to_string(intervalMilliseconds) + ")");
    return nextTimer++;
  }
  void StopTimer(int timer) override {
    timers.erase(timer);
    calls.push_back("StopTimer");
  }
  void SetMouseCursor(platform::MouseCursor shape) override { cursors.push_back(shape); }
  std::unique_ptr<platform::ForeignWindow> OpenForeignWindow(platform::WindowHandle window) override {
    calls.push_back("OpenForeignWindow(" + std::to_string(window) + ")");
    return std::make_unique<FakeForeignWindow>(host, calls);
  }

  // Queues a message for the first window (or none).
  void Post(platform::Message message) { queue.push_back(message); }

  struct TimerEntry {
    platform::NativeWindow* window;
    int interval;
  };
  std::vector<std::string>& calls;
  std::vector<FakeWindow*> windows;
  std::deque<platform::Message> queue;
  std::map<int, TimerEntry> timers;
  std::vector<platform::MouseCursor> cursors;
  FakeHost host;  // the window every OpenForeignWindow opens
  std::function<void()> whenEmpty;
  bool ranDry = false;
  int nextTimer = 1;
};

}  // namespace wobbert::fakes
