// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Audience.h"

namespace runtime {

namespace {

// Four watches a second while nothing moves: a mouse movement still ends the run
// within a quarter of a second, sooner than a display takes to wake.
constexpr int kRestingWatchMilliseconds = 250;
// Two 10 ms steps every 20 ms. Windows fires a timer on its clock's 15.6 ms
// ticks: 10 ms comes every tick and 20 ms every other tick, 32 times a second,
// so two steps a wake keep the console's speed exactly; where timers fire at the
// interval asked (Wine), 50 wakes of two steps do too. Three steps every 30 ms
// would wake less under Wine, but Windows fires 30 ms every other tick as well,
// and the bands would slide half as fast again as at the console.
constexpr int kRemoteStepsPerWake = 2;
constexpr int kRemoteWatchMilliseconds = 20;

}  // namespace

Showing Audience::State() const {
  if (!displaysOn || !connected || !ownDesktopShown) return Showing::Unseen;
  if (!animations) return Showing::Paused;
  if (remote) return Showing::Throttled;
  return Showing::Moving;
}

Pace PaceFor(Showing showing) {
  switch (showing) {
    case Showing::Unseen:
      return Pace{0, kRestingWatchMilliseconds, 0};
    case Showing::Paused:
      return Pace{backend::kEveryRefresh, kRestingWatchMilliseconds, 0};
    case Showing::Throttled:
      return Pace{kRemoteFramesPerSecond, kRemoteWatchMilliseconds, kRemoteStepsPerWake};
    case Showing::Moving:
      break;
  }
  return Pace{backend::kEveryRefresh, 0, 1};
}

}  // namespace runtime
