#include "Timer.h"

namespace runtime {

Timer::Timer(Form& owner, int id, int intervalMilliseconds, std::function<void()> handler)
    : owner_(owner), id_(id), interval_(intervalMilliseconds), handler_(std::move(handler)) {
  owner_.AddTimer(*this);
}

bool Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return true;
  const WindowHandle window = owner_.hWnd();
  if (enabled) {
    if (window == 0 || !backend::StartTimer(window, id_, interval_)) return false;
  } else if (window != 0) {
    backend::StopTimer(window, id_);
  }
  enabled_ = enabled;
  return true;
}

}  // namespace runtime
