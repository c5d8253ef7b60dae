// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A timer control of a form: while enabled it fires its handler every Interval
// milliseconds on the form's thread. Enabling can fail (no window, no timer left);
// it then stays disabled.
//
// While the form rests (nobody can see it, or its user turned animations off), a
// timer that only moves the picture pauses and every other fires at most every
// kRestingIntervalMilliseconds; in a remote session a watching timer fires at
// most every kRemoteWatchIntervalMilliseconds. Every timer keeps its Enabled and
// Interval, and goes back to its own pace as soon as the form does.
#pragma once

#include <functional>

#include "Form.h"

namespace runtime {

// What a timer's ticks are for: watching (the user, the foreground) goes on while
// the form rests; a picture's changes serve no one then.
enum class TimerUse { Watch, Animation };

// Four ticks a second: a mouse movement still ends the run within a quarter of a
// second, sooner than a display takes to wake.
constexpr int kRestingIntervalMilliseconds = 250;
// As often as a remote session shows frames: input reaches such a session tens of
// milliseconds late anyway.
constexpr int kRemoteWatchIntervalMilliseconds = 33;

class Timer {
 public:
  Timer(Form& owner, int id, int intervalMilliseconds, std::function<void()> handler,
        TimerUse use = TimerUse::Watch);

  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  int Id() const { return id_; }

  // Starts or stops the timer; false when it cannot be started.
  bool SetEnabled(bool enabled);

  void Fire() { handler_(); }

  // The owner began or ended resting, or moved to or from a remote session: an
  // enabled timer takes the pace that suits, on the owner's `window`.
  void PaceChanged(WindowHandle window);

 private:
  // Runs the timer on `window` at the pace the owner calls for.
  bool Schedule(WindowHandle window);

  Form& owner_;
  int id_;
  int interval_;
  TimerUse use_;
  bool enabled_ = false;
  std::function<void()> handler_;
};

}  // namespace runtime
