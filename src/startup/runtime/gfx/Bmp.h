// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Reads a Windows bitmap file of the classic kind the program carries: 24 bits per
// pixel, uncompressed, no colour table, bottom-up or top-down rows padded to four
// bytes. Anything else, or a file shorter than its header says, gives nothing.
#pragma once

#include <cstddef>
#include <optional>

#include "Bitmap.h"

namespace gfx {

std::optional<Bitmap> DecodeBmp(const unsigned char* bytes, std::size_t size);

struct BmpSize {
  int width = 0;
  int height = 0;
};

// The size of a bitmap that DecodeBmp would read, without decoding its pixels.
std::optional<BmpSize> ReadBmpSize(const unsigned char* bytes, std::size_t size);

}  // namespace gfx
