// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Resizes a bitmap to any size, for a screen density that has no art of its own.
//
// Smaller: each new pixel is the average of the area of the source it covers,
// which keeps edges as crisp as the source allows. Larger: each new pixel is
// blended from its four nearest source pixels (bilinear), which enlarges
// smoothly without blocks. The axes are independent, so one can shrink while the
// other grows. Weights are whole fractions of 2^14 that add up to exactly one, so
// a plain area (the pictures' white background) keeps its exact colour and the
// result is the same on every machine.
#pragma once

#include "Bitmap.h"

namespace gfx {

// `source` at `width` x `height` pixels; both must be at least 1, and the source
// must not be empty.
Bitmap Resample(const Bitmap& source, int width, int height);

}  // namespace gfx
