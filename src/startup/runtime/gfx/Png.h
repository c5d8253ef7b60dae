// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Reads a PNG file into a bitmap with the platform's own decoder: the Windows
// Imaging Component on Windows, libpng elsewhere; the choice is made at link
// time. The pixels are taken as stored, opaque: the picture set's PNGs carry no
// gamma or colour-profile chunks, so both decoders give the same pixels. A file
// that does not decode, or is wider or taller than 32768 pixels, gives nothing.
#pragma once

#include <cstddef>
#include <optional>

#include "Bitmap.h"

namespace gfx {

constexpr int kLargestPngSide = 32768;

std::optional<Bitmap> DecodePng(const unsigned char* bytes, std::size_t size);

}  // namespace gfx
