// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The twelve pictures of the mosaic, decoded from the art the program carries.
#pragma once

#include <optional>

#include "../startup/runtime/Controls.h"
#include "../startup/runtime/gfx/Bitmap.h"
#include "PictureFiles.h"

// Picture `index` of one density's art, decoded; empty if it does not decode.
using ArtDecoder = std::optional<gfx::Bitmap> (*)(const CarriedDensity& art, int index);
std::optional<gfx::Bitmap> DecodeArt(const CarriedDensity& art, int index);

// The picture at `index` (0 to kPictureCount - 1) drawn for a screen of
// `dotsPerInch`: round(w * s) x round(h * s) pixels, w x h being its size at 96
// dots per inch, s = dotsPerInch / 96, rounded halves to even. At 96 it is the
// BMP as stored. A density with art of its own gets that art; any other is made
// from the largest art, shrunk or smoothly enlarged. Art that does not decode,
// or decodes to another size than its density gives, is replaced by the 96-dpi
// art resampled: that picture is less crisp, the others are as they were. Only
// the art used is decoded, by `decode`. Densities below 24 or above 960 are taken
// as 24 or 960. Empty if the 96-dpi art does not decode either.
runtime::Picture LoadSetPicture(int index, int dotsPerInch, ArtDecoder decode = DecodeArt);

// length * dotsPerInch / 96, rounded halves to even: a picture's side in pixels.
int ScaledPictureLength(int length, int dotsPerInch);
