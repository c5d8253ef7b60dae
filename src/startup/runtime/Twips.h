// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Twips to device pixels: the nearest whole pixel, halves upward, the same rule for
// positions and edges so that two rectangles that touch in twips touch in pixels.
#pragma once

#include <cmath>

namespace runtime {

inline int TwipsToPixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

}  // namespace runtime
