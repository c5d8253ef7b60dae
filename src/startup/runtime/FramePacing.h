// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// When a window's frame goes to the screen. The window's timer ticks at its own
// pace (about every 15.6 ms on Windows, every 10 ms under Wine, each tick late by
// a little), the display refreshes at another; presenting on every tick would
// spend work on frames the display never shows, presenting at most once per
// refresh counted from the last present drops frames whenever a tick comes a
// little late and the next one on time.
//
// The pacer lays the display's refresh periods out as a grid. A tick presents
// when it falls in a period of the grid in which nothing was presented yet. So:
// - ticks slower than the refresh each fall in a period of their own, and every
//   one presents;
// - ticks faster than the refresh present at most once per period, and since a
//   tick comes within every period, two presents are never two periods apart.
//
// The grid's periods are the display's own when the pacer is told when the
// display refreshed (Windows' compositor says so): then every refresh in which a
// tick came shows a new frame, as presenting every tick would, with fewer
// presents. A grid whose periods last several refreshes (a frame limit) is moved
// to the refresh nearest its own lines, by less than half a refresh, never by
// whole refreshes: every frame stays on screen for the same number of them. Told
// nothing of the phase, the grid begins at the first frame presented and keeps
// its phase from then on; its periods may then straddle the display's, and a
// refresh now and then repeats a frame that presenting every tick would have
// renewed. A new period (the display or the limit changed) starts a new grid at
// the next tick.
//
// Times are in any one unit (the Windows build counts the performance counter),
// never going back; nothing here asks the clock.
#pragma once

#include <cstdint>
#include <optional>

namespace runtime {

class FramePacer {
 public:
  // True when the frame is to be presented at `now`, frames lasting
  // `framePeriod`, on a display that refreshes every `refreshPeriod` and last (or
  // next) did at `refreshedAt` when that is known. A frame period of 0 or less
  // paces nothing: every tick presents.
  bool PresentAt(std::int64_t now, std::int64_t framePeriod, std::int64_t refreshPeriod,
                 std::optional<std::int64_t> refreshedAt = std::nullopt);

 private:
  std::int64_t period_ = 0;       // of the grid; 0 before the first present
  std::int64_t origin_ = 0;       // where one of the grid's periods begins
  std::int64_t lastPresent_ = 0;  // when the last frame was presented
};

// One refresh of a display that refreshes `refreshes` times in `seconds` seconds,
// in whole ticks of a clock that counts `ticksPerSecond`. Displays give their
// rate as such a fraction: 59.94 Hz is 60000 in 1001, which whole hertz would
// round down to 59, putting the grid 1.6% behind the display. 0, "not known",
// for a rate below one refresh a second or a term of 0.
std::int64_t RefreshPeriod(std::uint32_t refreshes, std::uint32_t seconds, std::int64_t ticksPerSecond);

// The period to pace presents to, for a display refreshing every `refreshPeriod`
// (0: not known) and at most `framesPerSecond` frames a second, in ticks of a
// clock that counts `ticksPerSecond`: the smallest whole number of refreshes that
// lasts a frame's share of a second (give or take 1%, so that 60 Hz gives 30
// frames and not 20), so every frame stays on screen for whole refreshes. A
// display that does not say its rate gives the frame's share itself.
std::int64_t PresentPeriod(std::int64_t refreshPeriod, int framesPerSecond, std::int64_t ticksPerSecond);

}  // namespace runtime
