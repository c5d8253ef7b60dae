// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Encodes a bitmap as a PNG file with libpng: 8-bit RGB, no interlace, libpng's
// own choice of row filters and compression. Pixels are taken as 0x00RRGGBB; the
// unused byte is dropped, so the picture is opaque.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "startup/runtime/gfx/Bitmap.h"

namespace render {

// The bytes of a complete PNG file; empty, with libpng's reason in `error`, when
// the bitmap is empty or libpng refuses it.
std::vector<std::uint8_t> EncodePng(const gfx::Bitmap& bitmap, std::string& error);

}  // namespace render
