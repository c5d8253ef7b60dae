// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A form's timers on Windows. All of a window's timers are counted off one native
// timer at the shortest interval among them: under Wine every timer message is a
// round trip to the server, and the saver's two 10 ms timers would double them.
#include <algorithm>

#include "NativeWindow.h"

namespace backend {

namespace {

bool Reschedule(HWND window, NativeWindow& native) {
  if (native.timers.empty()) {
    KillTimer(window, kTickTimer);
    native.tickInterval = 0;
    return true;
  }
  const int base = std::max(1, std::min_element(native.timers.begin(), native.timers.end(),
                                                [](const FormTimer& a, const FormTimer& b) {
                                                  return a.interval < b.interval;
                                                })->interval);
  for (FormTimer& timer : native.timers) {
    timer.ticksPerFire = std::max(1, (timer.interval + base / 2) / base);
    timer.countdown = std::min(timer.countdown, timer.ticksPerFire);
  }
  if (native.tickInterval == static_cast<UINT>(base)) return true;
  const bool started = SetTimer(window, kTickTimer, static_cast<UINT>(base), nullptr) != 0;
  native.tickInterval = started ? static_cast<UINT>(base) : 0;
  return started;
}

}  // namespace

bool StartTimer(WindowHandle handle, int timerId, int intervalMilliseconds) {
  const HWND window = reinterpret_cast<HWND>(handle);
  NativeWindow* native = NativeWindowOf(window);
  if (native == nullptr) return false;
  auto& timers = native->timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const FormTimer& t) { return t.id == timerId; }),
               timers.end());
  FormTimer timer;
  timer.id = timerId;
  timer.interval = intervalMilliseconds;
  timer.countdown = std::max(1, intervalMilliseconds);  // narrowed by Reschedule
  timers.insert(std::upper_bound(timers.begin(), timers.end(), timer,
                                 [](const FormTimer& a, const FormTimer& b) { return a.id < b.id; }),
                timer);
  if (Reschedule(window, *native)) return true;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const FormTimer& t) { return t.id == timerId; }),
               timers.end());
  return false;
}

void StopTimer(WindowHandle handle, int timerId) {
  const HWND window = reinterpret_cast<HWND>(handle);
  NativeWindow* native = NativeWindowOf(window);
  if (native == nullptr) return;
  auto& timers = native->timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const FormTimer& t) { return t.id == timerId; }),
               timers.end());
  Reschedule(window, *native);
}

void OnTick(HWND window, NativeWindow& native) {
  // A handler may destroy this very window; its record then outlives the window
  // until the tick is over.
  native.ticking = true;
  // Decide first, then fire: a handler may start or stop timers, and a timer
  // started during this tick first fires on a later one.
  native.due.clear();
  for (FormTimer& timer : native.timers) {
    if (--timer.countdown > 0) continue;
    timer.countdown = timer.ticksPerFire;
    native.due.push_back(timer.id);
  }
  for (int id : native.due) {
    const bool stillRunning = std::any_of(native.timers.begin(), native.timers.end(),
                                          [id](const FormTimer& t) { return t.id == id; });
    // A handler may end the program or destroy this window's form.
    if (stillRunning && native.events != nullptr) native.events->OnTimer(id);
  }
  if (native.events != nullptr) {
    WatchDisplays(native);
    PresentIfDue(window, native);
  }
  native.ticking = false;
  if (native.orphaned) delete &native;
}

}  // namespace backend
