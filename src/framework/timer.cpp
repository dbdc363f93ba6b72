#include "framework/timer.h"

#include "framework/application.h"
#include "framework/form.h"

namespace wobbert::framework {

void Timer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Stop();
  Update();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetOnTimer(std::function<void()> handler) {
  onTimer_ = std::move(handler);
  Update();
}

void Timer::Tick() {
  if (enabled_ && onTimer_) onTimer_();
}

void Timer::Update() {
  const bool wanted = enabled_ && interval_ > 0 && onTimer_ && application.Initialized();
  if (!wanted) {
    Stop();
  } else if (id_ == 0) {
    id_ = application.Native().StartTimer(owner_.Native(), interval_);
    application.RegisterTimer(id_, this);
  }
}

void Timer::Stop() {
  if (id_ == 0) return;
  if (application.Initialized()) {
    application.Native().StopTimer(id_);
    application.UnregisterTimer(id_);
  }
  id_ = 0;
}

}  // namespace wobbert::framework
