// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A 32-bit bitmap in device pixels. Each pixel is 0x00RRGGBB, which in memory is
// blue, green, red, unused: the layout of a top-down 32-bit Windows DIB, so a
// bitmap can be presented without conversion. The bitmap owns its memory.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

#include "../Types.h"

namespace gfx {

using Pixel = std::uint32_t;

// Converts a runtime colour (&H00BBGGRR) to a pixel (0x00RRGGBB).
constexpr Pixel PixelFromColour(runtime::Colour colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Pixel fill = 0)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {
    assert(width >= 0 && height >= 0);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // One row of pixels; y must lie inside the bitmap.
  Pixel* Scanline(int y) {
    assert(y >= 0 && y < height_);
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  const Pixel* Scanline(int y) const {
    assert(y >= 0 && y < height_);
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }

  Pixel At(int x, int y) const {
    assert(x >= 0 && x < width_);
    return Scanline(y)[x];
  }

  Pixel* Data() { return pixels_.data(); }
  const Pixel* Data() const { return pixels_.data(); }
  std::size_t ByteSize() const { return pixels_.size() * sizeof(Pixel); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace gfx
