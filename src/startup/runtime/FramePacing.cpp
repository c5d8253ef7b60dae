// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "FramePacing.h"

#include <algorithm>

namespace runtime {

namespace {

// The start of the grid period that holds `time`: the grid's periods begin at
// origin + k * period for every whole k.
std::int64_t PeriodStart(std::int64_t time, std::int64_t origin, std::int64_t period) {
  std::int64_t periods = (time - origin) / period;
  if ((time - origin) % period < 0) --periods;  // rounded down, also before the origin
  return origin + periods * period;
}

// The refresh nearest `line`, of a display that refreshed at `refreshedAt`.
std::int64_t NearestRefresh(std::int64_t line, std::int64_t refreshedAt, std::int64_t refreshPeriod) {
  return PeriodStart(line + refreshPeriod / 2, refreshedAt, refreshPeriod);
}

}  // namespace

bool FramePacer::PresentAt(std::int64_t now, std::int64_t framePeriod, std::int64_t refreshPeriod,
                           std::optional<std::int64_t> refreshedAt) {
  if (framePeriod <= 0) return true;
  const bool sameRate = framePeriod == period_;
  // The display's own phase, whenever it is told, so the grid follows it: a grid
  // of its own moves to the refresh nearest the line nearest that refresh, and a
  // new one begins there; untold, the grid keeps the phase it has, or begins
  // here for a new rate.
  if (refreshedAt && sameRate && refreshPeriod > 0) {
    const std::int64_t line = PeriodStart(*refreshedAt + framePeriod / 2, origin_, framePeriod);
    origin_ = NearestRefresh(line, *refreshedAt, refreshPeriod);
  } else if (refreshedAt) {
    origin_ = *refreshedAt;
  } else if (!sameRate) {
    origin_ = now;
  }
  if (sameRate) {
    const std::int64_t lastStart = PeriodStart(lastPresent_, origin_, framePeriod);
    // Still in the period last presented in: the display would show only one.
    if (now >= lastStart && now < lastStart + framePeriod) return false;
    // Before it: a clock that was set back. Without the display's phase the grid
    // begins again here.
    if (now < lastStart && !refreshedAt) origin_ = now;
  }
  period_ = framePeriod;
  lastPresent_ = now;
  return true;
}

std::int64_t RefreshPeriod(std::uint32_t refreshes, std::uint32_t seconds, std::int64_t ticksPerSecond) {
  if (seconds == 0 || refreshes < seconds || ticksPerSecond <= 0) return 0;
  // ticksPerSecond * seconds / refreshes, without the product: a fast counter
  // times a rate in large terms (148500000 in 2475000) would overflow it. With
  // seconds <= refreshes, neither the whole ticks nor the rest's product can.
  const auto perSecond = static_cast<std::uint64_t>(ticksPerSecond);
  const std::uint64_t whole = perSecond / refreshes * seconds;
  const std::uint64_t rest = perSecond % refreshes * seconds / refreshes;
  return static_cast<std::int64_t>(whole + rest);
}

std::int64_t PresentPeriod(std::int64_t refreshPeriod, int framesPerSecond, std::int64_t ticksPerSecond) {
  const std::int64_t shortest = framesPerSecond > 0 ? ticksPerSecond / framesPerSecond : 0;
  if (refreshPeriod <= 0) return shortest;
  const std::int64_t wanted = shortest - shortest / 100;
  const std::int64_t refreshes = std::max<std::int64_t>(1, (wanted + refreshPeriod - 1) / refreshPeriod);
  return refreshes * refreshPeriod;
}

}  // namespace runtime
