// Colour reduction for indexed images: a palette of at most 256 colours cut from
// sample bitmaps (boxes of colour space split where the squared error drops most), and the mapping of any pixel to its nearest
// entry. Colours are 0x00RRGGBB. No dithering: flat areas stay flat, which keeps
// an animation small and its unchanged pixels stable from frame to frame.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "startup/runtime/gfx/Bitmap.h"

namespace render {

using Palette = std::vector<gfx::Pixel>;

// At most `maxColours` colours (1 to 256) for the pixels of `samples`. Every colour
// of `exact` comes first and as it is (they count towards maxColours, and are all
// kept even beyond it); when the samples hold no more distinct colours than fit,
// they are all kept exactly.
Palette BuildPalette(const std::vector<const gfx::Bitmap*>& samples, int maxColours,
                         const std::vector<gfx::Pixel>& exact);

// Maps pixels to the index of the nearest palette colour (squared distance in
// RGB; the first of equals wins). Remembers every answer, so it is meant for the
// colours of one animation, not for arbitrary streams of colours.
class ColourMapper {
 public:
  explicit ColourMapper(Palette palette);

  std::uint8_t IndexOf(gfx::Pixel pixel);
  const Palette& Colours() const { return palette_; }

 private:
  Palette palette_;
  std::unordered_map<gfx::Pixel, std::uint8_t> known_;
};

}  // namespace render
