// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <fstream>
#include <vector>

#include "PictureOutput.h"

bool WritePicture(const gfx::Bitmap& picture, const std::string& stem, std::string& written, std::string& error) {
  written = stem + ".ppm";
  std::vector<char> rgb;
  rgb.reserve(static_cast<std::size_t>(picture.Width()) * picture.Height() * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    const gfx::Pixel* row = picture.Scanline(y);
    for (int x = 0; x < picture.Width(); ++x) {
      rgb.push_back(static_cast<char>(row[x] >> 16));
      rgb.push_back(static_cast<char>(row[x] >> 8));
      rgb.push_back(static_cast<char>(row[x]));
    }
  }
  std::ofstream file(written, std::ios::binary | std::ios::trunc);
  file << "P6\n" << picture.Width() << ' ' << picture.Height() << "\n255\n";
  file.write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
  file.close();
  if (!file) error = "the file could not be written";
  return static_cast<bool>(file);
}
