// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "PngFile.h"

#include <png.h>

namespace render {

std::vector<std::uint8_t> EncodePng(const gfx::Bitmap& bitmap, std::string& error) {
  if (bitmap.Empty()) {
    error = "an empty picture";
    return {};
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_RGB;

  // libpng's simple interface takes packed RGB; our rows carry a fourth byte.
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  std::uint8_t* out = rgb.data();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const gfx::Pixel* row = bitmap.Scanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      *out++ = static_cast<std::uint8_t>(row[x] >> 16);
      *out++ = static_cast<std::uint8_t>(row[x] >> 8);
      *out++ = static_cast<std::uint8_t>(row[x]);
    }
  }

  // The simple interface keeps libpng's longjmp inside the library and frees its
  // own state whether it succeeds or not.
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::vector<std::uint8_t> file(size);
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr)) {
    error = image.message;
    return {};
  }
  file.resize(size);
  return file;
}

}  // namespace render
