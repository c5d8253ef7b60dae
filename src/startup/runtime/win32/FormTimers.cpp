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
  // Refused, the native timer Windows runs stays the one it had.
  if (SetTimer(window, kTickTimer, static_cast<UINT>(base), nullptr) == 0) return false;
  native.tickInterval = static_cast<UINT>(base);
  return true;
}

}  // namespace

bool StartTimer(WindowHandle handle, int timerId, int intervalMilliseconds) {
  const HWND window = reinterpret_cast<HWND>(handle);
  NativeWindow* native = NativeWindowOf(window);
  if (native == nullptr) return false;
  auto& timers = native->timers;
  const auto byId = [](const FormTimer& a, const FormTimer& b) { return a.id < b.id; };
  FormTimer timer;
  timer.id = timerId;
  timer.interval = intervalMilliseconds;
  timer.countdown = std::max(1, intervalMilliseconds);  // narrowed by Reschedule
  const auto at = std::lower_bound(timers.begin(), timers.end(), timer, byId);
  const bool running = at != timers.end() && at->id == timerId;
  const std::vector<FormTimer> before = timers;
  if (running) {
    *at = timer;
  } else {
    timers.insert(at, timer);
  }
  if (Reschedule(window, *native)) return true;
  // Windows refused the native timer the new interval needs: the form's timers
  // run on as they did, this one at its old interval or not at all.
  timers = before;
  Reschedule(window, *native);
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
