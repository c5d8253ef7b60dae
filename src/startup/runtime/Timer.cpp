// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Timer.h"

#include <algorithm>

namespace runtime {

Timer::Timer(Form& owner, int id, int intervalMilliseconds, std::function<void()> handler, TimerUse use)
    : owner_(owner), id_(id), interval_(intervalMilliseconds), use_(use), handler_(std::move(handler)) {
  owner_.AddTimer(*this);
}

bool Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return true;
  const WindowHandle window = owner_.hWnd();
  if (enabled) {
    if (window == 0 || !Schedule(window)) return false;
  } else if (window != 0) {
    backend::StopTimer(window, id_);
  }
  enabled_ = enabled;
  return true;
}

void Timer::PaceChanged(WindowHandle window) {
  if (enabled_ && window != 0) Schedule(window);
}

bool Timer::Schedule(WindowHandle window) {
  if (!owner_.Resting()) {
    const bool slower = owner_.Remote() && use_ == TimerUse::Watch;
    return backend::StartTimer(window, id_, slower ? std::max(interval_, kRemoteWatchIntervalMilliseconds) : interval_);
  }
  if (use_ == TimerUse::Animation) {
    backend::StopTimer(window, id_);
    return true;
  }
  return backend::StartTimer(window, id_, std::max(interval_, kRestingIntervalMilliseconds));
}

}  // namespace runtime
