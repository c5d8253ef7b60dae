// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "PictureSet.h"

#include <algorithm>
#include <cassert>
#include <memory>

#include "../startup/runtime/gfx/Bmp.h"
#include "../startup/runtime/gfx/Png.h"
#include "../startup/runtime/gfx/Resample.h"

namespace {

constexpr int kLowestDotsPerInch = 24;
constexpr int kHighestDotsPerInch = 960;

// The art drawn for `dotsPerInch` if the program carries it, else the largest
// art: shrunk by its pixels' areas, art of a much higher density keeps edges
// nearly as crisp as drawing at the density itself, which art of the next
// density up would not; and above the largest, only the largest is left.
const CarriedDensity& ArtFor(int dotsPerInch) {
  for (int i = 0; i < kCarriedDensityCount; ++i) {
    if (kCarriedDensities[i].dotsPerInch == dotsPerInch) return kCarriedDensities[i];
  }
  return kCarriedDensities[kCarriedDensityCount - 1];
}

}  // namespace

std::optional<gfx::Bitmap> DecodeArt(const CarriedDensity& art, int index) {
  const EmbeddedFile& file = art.files[index];
  return art.format == ArtFormat::Bmp ? gfx::DecodeBmp(file.bytes, file.size) : gfx::DecodePng(file.bytes, file.size);
}

int ScaledPictureLength(int length, int dotsPerInch) {
  const long long product = static_cast<long long>(length) * dotsPerInch;
  long long whole = product / kDesignDotsPerInch;
  const long long twiceRest = 2 * (product % kDesignDotsPerInch);
  if (twiceRest > kDesignDotsPerInch || (twiceRest == kDesignDotsPerInch && whole % 2 != 0)) ++whole;
  return static_cast<int>(whole);
}

runtime::Picture LoadSetPicture(int index, int dotsPerInch, ArtDecoder decode) {
  assert(index >= 0 && index < kPictureCount);
  dotsPerInch = std::clamp(dotsPerInch, kLowestDotsPerInch, kHighestDotsPerInch);
  // The design size comes from the BMP's header; its pixels are read only when
  // they are the art used.
  const EmbeddedFile& design = kPictureFiles[index];
  const std::optional<gfx::BmpSize> designSize = gfx::ReadBmpSize(design.bytes, design.size);
  if (!designSize) return nullptr;
  const int width = std::max(1, ScaledPictureLength(designSize->width, dotsPerInch));
  const int height = std::max(1, ScaledPictureLength(designSize->height, dotsPerInch));

  const CarriedDensity& density = ArtFor(dotsPerInch);
  std::optional<gfx::Bitmap> art = decode(density, index);
  // A decoder can fail on any one file (a COM failure, a damaged resource): then
  // the design art, which sets every picture's size, stands in for that one.
  const bool fits = art && art->Width() == ScaledPictureLength(designSize->width, density.dotsPerInch) &&
                    art->Height() == ScaledPictureLength(designSize->height, density.dotsPerInch);
  if (!fits && density.dotsPerInch != kDesignDotsPerInch) art = decode(ArtFor(kDesignDotsPerInch), index);
  if (!art) return nullptr;
  if (art->Width() != width || art->Height() != height) art = gfx::Resample(*art, width, height);
  return std::make_shared<const gfx::Bitmap>(std::move(*art));
}
