#include "Painter.h"

#include <algorithm>
#include <cstring>

namespace gfx {

Rect Rect::Intersect(const Rect& other) const {
  return Rect{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
              std::min(bottom, other.bottom)};
}

Painter::Painter(Bitmap& target) : target_(target), clip_{0, 0, target.Width(), target.Height()} {}

void Painter::SetClip(const Rect& clip) { clip_ = clip_.Intersect(clip); }

void Painter::Fill(const Rect& area, Pixel pixel) {
  const Rect r = area.Intersect(clip_);
  if (r.Empty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    Pixel* row = target_.Scanline(y);
    std::fill(row + r.left, row + r.right, pixel);
  }
}

void Painter::Blit(const Bitmap& source, int x, int y) {
  const Rect r = Rect{x, y, x + source.Width(), y + source.Height()}.Intersect(clip_);
  if (r.Empty()) return;
  const auto count = static_cast<std::size_t>(r.right - r.left);
  for (int row = r.top; row < r.bottom; ++row) {
    std::memcpy(target_.Scanline(row) + r.left, source.Scanline(row - y) + (r.left - x),
                count * sizeof(Pixel));
  }
}

}  // namespace gfx
