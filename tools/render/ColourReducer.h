// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Colour reduction for an animation with libimagequant: one palette of at most
// 256 colours chosen from a sample frame, and every frame's pixels mapped to it.
// Colours are 0x00RRGGBB. Chosen colours (`exact`) are in the palette as they are,
// and their pixels keep them. No dithering: flat areas stay flat, and a pixel of a
// given colour gets the same index in every frame, which keeps an animation small
// and its unchanged pixels unchanged. Failures of the library are reported by
// result, with its reason.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "startup/runtime/gfx/Bitmap.h"

struct liq_attr;
struct liq_result;

namespace render {

using Palette = std::vector<gfx::Pixel>;

class ColourReducer {
 public:
  // At most `maxColours` colours (2 to 256) for the pixels of `sample`, every
  // colour of `exact` (distinct, fewer than maxColours) among them. When the sample
  // holds no more colours than fit, they are all kept exactly. Null, with the
  // reason in `error`, when the library refuses.
  static std::unique_ptr<ColourReducer> FromSample(const gfx::Bitmap& sample, int maxColours,
                                                   const std::vector<gfx::Pixel>& exact, std::string& error);

  const Palette& Colours() const { return palette_; }

  // The palette index of each pixel of `frame`, row after row; `frame` has the
  // sample's size. Empty, with the reason in `error`, when the library fails.
  std::vector<std::uint8_t> Indices(const gfx::Bitmap& frame, std::string& error);

 private:
  struct Release {
    void operator()(liq_attr* attributes) const;
    void operator()(liq_result* result) const;
  };

  ColourReducer() = default;

  std::unique_ptr<liq_attr, Release> attributes_;
  std::unique_ptr<liq_result, Release> result_;
  Palette palette_;
};

}  // namespace render
