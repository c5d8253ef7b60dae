// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A timer control of a form: while enabled it fires its handler every Interval
// milliseconds on the form's thread. Enabling can fail (no window, no timer left);
// it then stays disabled.
//
// The form hands its timers the pace of who is watching it (Audience.h): a
// watching timer fires no more often than the pace allows, an animating one
// pauses, or wakes several intervals apart and takes as many steps each time.
// Every timer keeps its Enabled and Interval, and goes back to its own pace as
// soon as the form does. When the machine cannot run a timer at a new pace, the
// timer keeps the pace it had and tries again on the form's next tick: an
// enabled timer is never silently dropped.
#pragma once

#include <functional>

#include "Audience.h"
#include "Form.h"

namespace runtime {

// What a timer's ticks are for: watching (the user, the foreground) goes on while
// nobody sees the form; a picture's changes serve no one then.
enum class TimerUse { Watch, Animation };

class Timer {
 public:
  Timer(Form& owner, int id, int intervalMilliseconds, std::function<void()> handler,
        TimerUse use = TimerUse::Watch);

  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  int Id() const { return id_; }
  TimerUse Use() const { return use_; }

  // Starts or stops the timer; false when it cannot be started, or an enabled
  // timer cannot yet take the form's pace.
  bool SetEnabled(bool enabled);

  // One wake of the timer: the handler runs once for each step of the pace it
  // runs at, unless a step disables the timer.
  void Fire();

  // The form's pace, handed on by the form; an enabled timer takes it on the
  // form's `window`. False when the machine refused it: the timer then runs on
  // at the pace it had.
  bool SetPace(const Pace& pace, WindowHandle window);
  // Takes the form's pace now if an earlier try failed.
  void CatchUp(WindowHandle window);

 private:
  // The interval at `pace` in milliseconds; 0 pauses the timer.
  int IntervalAt(const Pace& pace) const;
  int StepsAt(const Pace& pace) const { return use_ == TimerUse::Animation ? pace.animationStepsPerWake : 1; }
  // Runs the timer on `window` at the pace handed on; false when refused.
  bool Schedule(WindowHandle window);

  Form& owner_;
  int id_;
  int interval_;
  TimerUse use_;
  bool enabled_ = false;
  Pace pace_ = PaceFor(Showing::Moving);  // as the form handed it on
  // The machine runs the timer at pace_ (or, paused, runs none): false after a
  // refusal, while the timer runs on at the pace before.
  bool onPace_ = false;
  int stepsPerWake_ = 1;  // at the pace the machine runs
  std::function<void()> handler_;
};

}  // namespace runtime
