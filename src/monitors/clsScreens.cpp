// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "clsScreens.h"

#include <limits>

#include "../startup/runtime/WindowsApi.h"

namespace {

constexpr unsigned kMonitorRecordSize = 40;  // the plain record, without the device name

// One query for the monitor that `screen` designates. The record starts zeroed, so
// a number that designates no monitor, or a failing query, reads as all zero.
platform::MonitorInfo Query(std::int16_t screen) {
  platform::MonitorInfo info;
  info.cbSize = kMonitorRecordSize;
  platform::GetMonitorInfo(screen, info);
  return info;
}

// `end` − `start` in 32 bits; empty when the difference leaves them.
std::optional<std::int32_t> Extent(std::int32_t start, std::int32_t end) {
  const std::int64_t difference = static_cast<std::int64_t>(end) - start;
  if (difference < std::numeric_limits<std::int32_t>::min() || difference > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(difference);
}

// A 16-bit loop counter that has run to 32767 overflows when it steps past it.
constexpr bool CounterOverflowsAfter(std::int16_t last) { return last == std::numeric_limits<std::int16_t>::max(); }

}  // namespace

std::optional<std::int16_t> clsScreens::Count(bool EnabledOnly) const {
  const std::int64_t screens = static_cast<std::int64_t>(platform::GetSystemMetrics(platform::kSmCMonitors)) + 1;
  if (screens < std::numeric_limits<std::int16_t>::min() || screens > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  const auto last = static_cast<std::int16_t>(screens);
  if (!EnabledOnly) return last;

  std::int16_t inUse = last;
  for (int i = 1; i <= last; ++i) {
    const auto screen = static_cast<std::int16_t>(i);
    const std::optional<std::int32_t> width = Width(screen);
    if (!width) return std::nullopt;
    const std::optional<std::int32_t> height = Height(screen);
    if (!height) return std::nullopt;
    if (*width == 0 && *height == 0) --inUse;
  }
  if (CounterOverflowsAfter(last)) return std::nullopt;
  return inUse;
}

bool clsScreens::AllSameColourDepth() const {
  return platform::GetSystemMetrics(platform::kSmSameDisplayFormat) != 0;
}

std::optional<bool> clsScreens::Enabled(std::int16_t Screen) const {
  const std::optional<std::int32_t> width = Width(Screen);
  if (!width) return std::nullopt;
  const std::optional<std::int32_t> height = Height(Screen);
  if (!height) return std::nullopt;
  return *width != 0 || *height != 0;
}

std::optional<std::int16_t> clsScreens::PrimaryMon() const {
  const std::optional<std::int16_t> last = Count(false);
  if (!last) return std::nullopt;
  for (int i = 1; i <= *last; ++i) {
    const auto screen = static_cast<std::int16_t>(i);
    const std::int32_t left = Left(screen);
    const std::int32_t top = Top(screen);
    if (left == 0 && top == 0) return screen;
  }
  if (CounterOverflowsAfter(*last)) return std::nullopt;
  return static_cast<std::int16_t>(0);
}

std::optional<std::int32_t> clsScreens::Height(std::int16_t Screen) const {
  const platform::MonitorInfo info = Query(Screen);
  return Extent(info.rcMonitor.top, info.rcMonitor.bottom);
}

std::optional<std::int32_t> clsScreens::Width(std::int16_t Screen) const {
  const platform::MonitorInfo info = Query(Screen);
  return Extent(info.rcMonitor.left, info.rcMonitor.right);
}

std::int32_t clsScreens::Top(std::int16_t Screen) const { return Query(Screen).rcMonitor.top; }

std::int32_t clsScreens::Left(std::int16_t Screen) const { return Query(Screen).rcMonitor.left; }

std::optional<std::int32_t> clsScreens::WorkHeight(std::int16_t Screen) const {
  const platform::MonitorInfo info = Query(Screen);
  return Extent(info.rcWork.top, info.rcWork.bottom);
}

std::optional<std::int32_t> clsScreens::WorkWidth(std::int16_t Screen) const {
  const platform::MonitorInfo info = Query(Screen);
  return Extent(info.rcWork.left, info.rcWork.right);
}

std::int32_t clsScreens::WorkTop(std::int16_t Screen) const { return Query(Screen).rcWork.top; }

std::int32_t clsScreens::WorkLeft(std::int16_t Screen) const { return Query(Screen).rcWork.left; }
