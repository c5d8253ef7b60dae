// Writes an animated GIF that loops forever: one global palette of at most 255
// colours (the 256th index is kept for transparency), frames added one at a time
// with their own delay in centiseconds. After the first frame each frame stores
// only the rectangle that changed, with the pixels it shares with the frame
// before made transparent, so a mostly still animation stays small.
// Frames must all have the animation's size; a pixel missing from the palette is
// shown as its nearest palette colour. Writing the file reports failure by result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Palette.h"
#include "startup/runtime/gfx/Bitmap.h"

namespace render {

class GifWriter {
 public:
  // `palette` holds 1 to 255 colours.
  GifWriter(int width, int height, const Palette& palette);

  void AddFrame(const gfx::Bitmap& frame, int delayCentiseconds);
  int FrameCount() const { return frames_; }

  // The bytes of the complete file, trailer included.
  std::vector<std::uint8_t> Finish() const;
  bool WriteTo(const std::string& path) const;

 private:
  struct Area {
    int left, top, right, bottom;
  };
  Area ChangedArea(const std::vector<std::uint8_t>& indices) const;
  void PutImage(const std::vector<std::uint8_t>& indices, const Area& area, bool transparentUnchanged,
                int delayCentiseconds);

  int width_;
  int height_;
  ColourMapper mapper_;
  std::uint8_t transparentIndex_;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint8_t> previous_;  // palette indices of the last frame shown
  int frames_ = 0;
};

}  // namespace render
