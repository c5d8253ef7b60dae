// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <cstdint>
#include <vector>

#include "PictureOutput.h"
#include "PngFile.h"
#include "WholeFile.h"

bool WritePicture(const gfx::Bitmap& picture, const std::string& stem, std::string& written, std::string& error) {
  written = stem + ".png";
  const std::vector<std::uint8_t> png = render::EncodePng(picture, error);
  return !png.empty() && render::WriteWholeFile(written, png, error);
}
