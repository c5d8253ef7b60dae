// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The monitor inventory: how many screens there are, which are in use, which one is
// the primary, and where each screen's monitor rectangle and work area lie.
//
// Screen numbers are 16-bit and counted from 1: screen n is the n-th monitor in the
// platform's enumeration order. Count(false) is one more than the number of
// monitors, so its last number designates no monitor; such a number, like a query
// that fails, reads as an all-zero record. Geometry is in pixels of the virtual
// desktop, whose origin is the primary monitor's top left corner.
//
// The class holds no state: every property asks the platform afresh, one monitor
// query (record zeroed, cbSize 40) per rectangle read, so its answers follow the
// layout at the moment of the call. Instances are interchangeable.
//
// A property that can overflow (16-bit counts and loop counters, 32-bit widths and
// heights) returns an empty optional instead of a value: the run-time error that
// the caller's statement is skipped for.
#pragma once

#include <cstdint>
#include <optional>

class clsScreens {
 public:
  // The number of screens, or with `EnabledOnly` only those in use.
  std::optional<std::int16_t> Count(bool EnabledOnly) const;

  // True when every monitor has the same colour format.
  bool AllSameColourDepth() const;

  // True when the screen's rectangle has a width or a height other than 0.
  std::optional<bool> Enabled(std::int16_t Screen) const;

  // The lowest screen number whose rectangle starts at 0, 0; 0 when none does.
  std::optional<std::int16_t> PrimaryMon() const;

  // The screen's whole monitor rectangle.
  std::optional<std::int32_t> Height(std::int16_t Screen) const;
  std::optional<std::int32_t> Width(std::int16_t Screen) const;
  std::int32_t Top(std::int16_t Screen) const;
  std::int32_t Left(std::int16_t Screen) const;

  // The screen's work area: its rectangle less taskbars and docked bars.
  std::optional<std::int32_t> WorkHeight(std::int16_t Screen) const;
  std::optional<std::int32_t> WorkWidth(std::int16_t Screen) const;
  std::int32_t WorkTop(std::int16_t Screen) const;
  std::int32_t WorkLeft(std::int16_t Screen) const;
};
