// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Composes a form's frame one scanline at a time from its back colour and its
// windowless boxes, each a rectangle with a back colour and the pictures painted
// into it. Every pixel of a composed scanline is written once: back colour where
// no box lies, a box's back colour in the gaps between its pictures, the pictures'
// own pixels elsewhere. Where boxes overlap, the later box wins (z-order).
#pragma once

#include <vector>

#include "Types.h"
#include "gfx/Bitmap.h"

namespace runtime {

// One picture of a box, placed on the frame in pixels.
struct PlacedPicture {
  int left = 0;
  int top = 0;
  const gfx::Bitmap* picture = nullptr;
};

// One visible box, placed on the frame in pixels.
struct Layer {
  PixelRect rect;
  gfx::Pixel back = 0;
  std::vector<PlacedPicture> pictures;
  // True when the pictures run left to right without overlapping, which lets a
  // scanline be written in one pass.
  bool picturesInOrder = true;
};

class Compositor {
 public:
  // Writes scanline `y` of `frame`; `layers` are in z-order, bottom first.
  void ComposeScanline(gfx::Bitmap& frame, int y, gfx::Pixel back, const std::vector<Layer>& layers);

 private:
  std::vector<const Layer*> covering_;  // reused from scanline to scanline
};

// Works out whether a layer's pictures run left to right without overlapping.
bool PicturesInOrder(const std::vector<PlacedPicture>& pictures);

}  // namespace runtime
