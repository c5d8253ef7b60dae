// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The picture set's art as it travels inside the program, generated at build
// time from assets/pictures: for each density the program carries, one file per
// picture, in picture-set order. The design density, 96 dots per inch, has the
// 24-bit BMPs; every further density has PNGs drawn for it.
#pragma once

#include <cstddef>

struct EmbeddedFile {
  const unsigned char* bytes;
  std::size_t size;
};

constexpr int kPictureCount = 12;
constexpr int kDesignDotsPerInch = 96;

// The BMPs, the art for the design density.
extern const EmbeddedFile kPictureFiles[kPictureCount];

enum class ArtFormat { Bmp, Png };

struct CarriedDensity {
  int dotsPerInch;
  ArtFormat format;
  const EmbeddedFile* files;  // kPictureCount of them
};

// Every density with art of its own, the design density among them, from the
// smallest density to the largest.
extern const CarriedDensity kCarriedDensities[];
extern const int kCarriedDensityCount;
