// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The native PNG decoder: libpng's simplified interface, which keeps libpng's
// longjmp inside the library and frees its own state on every path.
#include <png.h>

#include "Png.h"

namespace gfx {

std::optional<Bitmap> DecodePng(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size == 0) return std::nullopt;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return std::nullopt;
  if (image.width == 0 || image.height == 0 || image.width > kLargestPngSide || image.height > kLargestPngSide) {
    png_image_free(&image);
    return std::nullopt;
  }
  // Blue, green, red, alpha in memory is a 0xAARRGGBB pixel; with an alpha
  // channel kept, libpng composes nothing, so the colours are the stored ones.
  image.format = PNG_FORMAT_BGRA;
  Bitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, bitmap.Data(), 0, nullptr)) return std::nullopt;
  Pixel* pixel = bitmap.Data();
  for (std::size_t i = 0, count = bitmap.ByteSize() / sizeof(Pixel); i < count; ++i) pixel[i] &= 0x00FFFFFFu;
  return bitmap;
}

}  // namespace gfx
