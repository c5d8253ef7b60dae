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
  if (enabled == enabled_ && (!enabled || onPace_)) return true;
  const WindowHandle window = owner_.hWnd();
  if (enabled) {
    if (window == 0 || !Schedule(window)) return false;
  } else {
    if (window != 0) backend::StopTimer(window, id_);
    onPace_ = false;
  }
  enabled_ = enabled;
  return true;
}

void Timer::Fire() {
  for (int step = 0; step < stepsPerWake_; ++step) {
    handler_();
    if (!enabled_) break;
  }
}

bool Timer::SetPace(const Pace& pace, WindowHandle window) {
  const bool same = IntervalAt(pace) == IntervalAt(pace_) && StepsAt(pace) == StepsAt(pace_);
  pace_ = pace;
  if (same && onPace_) return true;
  onPace_ = false;
  return !enabled_ || window == 0 || Schedule(window);
}

void Timer::CatchUp(WindowHandle window) {
  if (enabled_ && !onPace_ && window != 0) Schedule(window);
}

int Timer::IntervalAt(const Pace& pace) const {
  if (use_ == TimerUse::Watch) return std::max(interval_, pace.watchAtLeastMilliseconds);
  return interval_ * pace.animationStepsPerWake;
}

bool Timer::Schedule(WindowHandle window) {
  const int interval = IntervalAt(pace_);
  if (interval == 0) {
    backend::StopTimer(window, id_);
  } else if (!backend::StartTimer(window, id_, interval)) {
    return false;
  }
  onPace_ = true;
  stepsPerWake_ = StepsAt(pace_);
  return true;
}

}  // namespace runtime
