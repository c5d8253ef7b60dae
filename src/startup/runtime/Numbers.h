// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Whole-number conversions of the forms runtime.
// "Rounded" is to the nearest whole number with halves going to the even neighbour
// (6.5 gives 6, 7.5 gives 8); "floored" rounds down. Conversions that leave the
// target range report overflow by an empty result, which the caller treats as the
// failed statement it is.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace runtime {

inline double RoundHalfEven(double value) { return std::nearbyint(value); }

template <typename Whole>
std::optional<Whole> ToWhole(double value) {
  // std::nearbyint rounds halves to even in the default rounding mode, which the
  // program never changes.
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= static_cast<double>(std::numeric_limits<Whole>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Whole>::max()))) {
    return std::nullopt;
  }
  return static_cast<Whole>(rounded);
}

// Banker's rounding into 32 bits; empty on overflow or NaN.
inline std::optional<std::int32_t> Rounded(double value) { return ToWhole<std::int32_t>(value); }

// Rounds down into 32 bits; empty on overflow or NaN.
inline std::optional<std::int32_t> Floored(double value) { return ToWhole<std::int32_t>(std::floor(value)); }

}  // namespace runtime
