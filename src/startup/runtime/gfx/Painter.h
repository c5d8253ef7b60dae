// Draws into a bitmap, always clipped: to the bitmap and to an explicit clip
// rectangle. Coordinates are device pixels; nothing outside the clip changes.
#pragma once

#include "Bitmap.h"

namespace gfx {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Intersect(const Rect& other) const;
};

class Painter {
 public:
  explicit Painter(Bitmap& target);

  // Narrows the clip (it never grows past the bitmap).
  void SetClip(const Rect& clip);
  const Rect& Clip() const { return clip_; }

  void Fill(const Rect& area, Pixel pixel);

  // Copies `source` with its top left corner at (x, y).
  void Blit(const Bitmap& source, int x, int y);

 private:
  Bitmap& target_;
  Rect clip_;
};

}  // namespace gfx
