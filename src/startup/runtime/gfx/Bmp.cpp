// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Bmp.h"

#include <cstdint>

namespace gfx {

namespace {
std::uint32_t U32(const unsigned char* p) {
  return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

namespace {
// What the headers say, once checked against the rules above and the file's size.
struct BmpLayout {
  int width = 0;
  int rows = 0;
  bool bottomUp = true;
  std::size_t offset = 0;
  std::size_t stride = 0;
};

std::optional<BmpLayout> ReadLayout(const unsigned char* bytes, std::size_t size) {
  constexpr std::size_t kHeaders = 14 + 40;
  if (bytes == nullptr || size < kHeaders || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t offset = U32(bytes + 10);
  const std::uint32_t infoSize = U32(bytes + 14);
  const auto width = static_cast<std::int32_t>(U32(bytes + 18));
  const auto height = static_cast<std::int32_t>(U32(bytes + 22));
  if (infoSize < 40 || U16(bytes + 26) != 1 || U16(bytes + 28) != 24 || U32(bytes + 30) != 0) return std::nullopt;
  // Negated in 64 bits: the most negative 32-bit height has no 32-bit opposite.
  const std::int64_t rowCount = height < 0 ? -static_cast<std::int64_t>(height) : height;
  if (width <= 0 || rowCount == 0 || width > 32768 || rowCount > 32768) return std::nullopt;

  BmpLayout layout;
  layout.width = width;
  layout.rows = static_cast<int>(rowCount);
  layout.bottomUp = height > 0;
  layout.offset = offset;
  layout.stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
  if (offset < kHeaders || offset > size || (size - offset) / layout.stride < static_cast<std::size_t>(layout.rows)) {
    return std::nullopt;
  }
  return layout;
}
}  // namespace

std::optional<BmpSize> ReadBmpSize(const unsigned char* bytes, std::size_t size) {
  const std::optional<BmpLayout> layout = ReadLayout(bytes, size);
  if (!layout) return std::nullopt;
  return BmpSize{layout->width, layout->rows};
}

std::optional<Bitmap> DecodeBmp(const unsigned char* bytes, std::size_t size) {
  const std::optional<BmpLayout> layout = ReadLayout(bytes, size);
  if (!layout) return std::nullopt;
  Bitmap bitmap(layout->width, layout->rows);
  for (int row = 0; row < layout->rows; ++row) {
    // Positive heights store the bottom row first.
    const int stored = layout->bottomUp ? layout->rows - 1 - row : row;
    const unsigned char* source = bytes + layout->offset + static_cast<std::size_t>(stored) * layout->stride;
    Pixel* target = bitmap.Scanline(row);
    for (int x = 0; x < layout->width; ++x, source += 3) {
      target[x] = (static_cast<Pixel>(source[2]) << 16) | (static_cast<Pixel>(source[1]) << 8) | source[0];
    }
  }
  return bitmap;
}

}  // namespace gfx
