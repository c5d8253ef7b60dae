// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A timer control of a form: while enabled it fires its handler every Interval
// milliseconds on the form's thread. Enabling can fail (no window, no timer left);
// it then stays disabled.
//
// While no one can see the form's displays (they are off), a timer that only
// moves the picture pauses and every other fires at most every
// kRestingIntervalMilliseconds; both keep their Enabled and Interval, and go back
// to their own pace as soon as the displays are on again.
#pragma once

#include <functional>

#include "Form.h"

namespace runtime {

// What a timer's ticks are for: watching (the user, the foreground) goes on while
// the displays are off; a picture's changes serve no one then.
enum class TimerUse { Watch, Animation };

// Four ticks a second: a mouse movement still ends the run within a quarter of a
// second, sooner than a display takes to wake.
constexpr int kRestingIntervalMilliseconds = 250;

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

  // The owner's displays were turned off or on: an enabled timer takes the pace
  // that suits, on the owner's `window`.
  void DisplayPowerChanged(WindowHandle window);

 private:
  // Runs the timer on `window` at the pace the owner's displays call for.
  bool Schedule(WindowHandle window);

  Form& owner_;
  int id_;
  int interval_;
  TimerUse use_;
  bool enabled_ = false;
  std::function<void()> handler_;
};

}  // namespace runtime
