// Timer: a window timer that calls OnTimer on the GUI thread every Interval milliseconds while
// it is enabled. It ticks only while enabled, with an interval above 0 and a handler set; ticks
// never pile up (at most one waits in the queue). Changing the interval restarts the count.
#pragma once

#include <functional>

namespace wobbert::framework {

class Form;

class Timer {
 public:
  explicit Timer(Form& owner) : owner_(owner) {}
  ~Timer() { Stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // True while the system timer runs.
  bool Running() const { return id_ != 0; }

  void SetOnTimer(std::function<void()> handler);
  // Called by the application for each tick.
  void Tick();

 private:
  void Update();
  void Stop();

  Form& owner_;
  std::function<void()> onTimer_;
  int interval_ = 1000;
  bool enabled_ = true;
  int id_ = 0;
};

}  // namespace wobbert::framework
