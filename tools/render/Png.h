// Encodes a bitmap as a PNG file: 8-bit RGB, no interlace, each row filtered with
// the filter that leaves the smallest sum of magnitudes, compressed with zlib.
// Pixels are taken as 0x00RRGGBB; the unused byte is dropped. Encoding cannot fail
// for a bitmap of at least one pixel; writing reports failure by its result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "startup/runtime/gfx/Bitmap.h"

namespace render {

// The bytes of a complete PNG file; empty for an empty bitmap.
std::vector<std::uint8_t> EncodePng(const gfx::Bitmap& bitmap);

// Writes the PNG file to `path`; false when the bitmap is empty or the file
// cannot be written.
bool WritePng(const std::string& path, const gfx::Bitmap& bitmap);

}  // namespace render
