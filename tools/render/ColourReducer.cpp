// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "ColourReducer.h"

#include <libimagequant.h>

#include <cassert>

namespace render {

namespace {

// Slower than libimagequant's default, for a palette as good as it makes: the
// sample is one frame, so this costs a fraction of a second.
constexpr int kSpeed = 1;

struct ReleaseImage {
  void operator()(liq_image* image) const { liq_image_destroy(image); }
};
using Image = std::unique_ptr<liq_image, ReleaseImage>;

std::string Reason(liq_error error) {
  switch (error) {
    case LIQ_OK: return "no error";
    case LIQ_QUALITY_TOO_LOW: return "the quality would be too low";
    case LIQ_VALUE_OUT_OF_RANGE: return "a value out of range";
    case LIQ_OUT_OF_MEMORY: return "out of memory";
    case LIQ_ABORTED: return "aborted";
    case LIQ_BITMAP_NOT_AVAILABLE: return "no picture to work on";
    case LIQ_BUFFER_TOO_SMALL: return "a buffer too small";
    case LIQ_INVALID_POINTER: return "an invalid pointer";
    case LIQ_UNSUPPORTED: return "an unsupported request";
  }
  return "error " + std::to_string(static_cast<int>(error));
}

liq_color OpaqueColour(gfx::Pixel pixel) {
  return liq_color{static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                   static_cast<unsigned char>(pixel), 255};
}

// The library reads a picture row by row through this, so a frame needs no RGBA copy.
void ReadRow(liq_color out[], int row, int width, void* bitmap) {
  const gfx::Pixel* pixels = static_cast<const gfx::Bitmap*>(bitmap)->Scanline(row);
  for (int x = 0; x < width; ++x) out[x] = OpaqueColour(pixels[x]);
}

// Null when the library refuses the picture (only for sizes it cannot hold).
Image ImageOf(const liq_attr* attributes, const gfx::Bitmap& bitmap) {
  return Image(liq_image_create_custom(attributes, ReadRow, const_cast<gfx::Bitmap*>(&bitmap), bitmap.Width(),
                                       bitmap.Height(), 0.0));
}

Palette PaletteOf(liq_result* result) {
  const liq_palette* palette = liq_get_palette(result);
  Palette colours;
  for (unsigned int i = 0; i < palette->count; ++i) {
    const liq_color& c = palette->entries[i];
    colours.push_back(static_cast<gfx::Pixel>(c.r) << 16 | static_cast<gfx::Pixel>(c.g) << 8 | c.b);
  }
  return colours;
}

}  // namespace

void ColourReducer::Release::operator()(liq_attr* attributes) const { liq_attr_destroy(attributes); }
void ColourReducer::Release::operator()(liq_result* result) const { liq_result_destroy(result); }

std::unique_ptr<ColourReducer> ColourReducer::FromSample(const gfx::Bitmap& sample, int maxColours,
                                                         const std::vector<gfx::Pixel>& exact, std::string& error) {
  assert(maxColours >= 2 && maxColours <= 256 && exact.size() < static_cast<std::size_t>(maxColours));
  std::unique_ptr<ColourReducer> reducer(new ColourReducer());
  reducer->attributes_.reset(liq_attr_create());
  if (!reducer->attributes_) {
    error = "libimagequant cannot start";
    return nullptr;
  }
  liq_attr* attributes = reducer->attributes_.get();
  liq_error status = liq_set_max_colors(attributes, maxColours);
  if (status == LIQ_OK) status = liq_set_speed(attributes, kSpeed);
  if (status != LIQ_OK) {
    error = "libimagequant refuses the settings: " + Reason(status);
    return nullptr;
  }

  const Image image = ImageOf(attributes, sample);
  if (!image) {
    error = "libimagequant refuses a picture of " + std::to_string(sample.Width()) + "x" + std::to_string(sample.Height());
    return nullptr;
  }
  for (gfx::Pixel colour : exact) {
    status = liq_image_add_fixed_color(image.get(), OpaqueColour(colour));
    if (status != LIQ_OK) {
      error = "libimagequant refuses a fixed colour: " + Reason(status);
      return nullptr;
    }
  }
  liq_result* result = nullptr;
  status = liq_image_quantize(image.get(), attributes, &result);
  reducer->result_.reset(result);
  if (status == LIQ_OK) status = liq_set_dithering_level(result, 0.0f);
  if (status != LIQ_OK) {
    error = "libimagequant cannot choose the colours: " + Reason(status);
    return nullptr;
  }

  // Remapping without dithering keeps this palette as it is, so the indices of
  // every frame refer to it.
  reducer->palette_ = PaletteOf(result);
  return reducer;
}

std::vector<std::uint8_t> ColourReducer::Indices(const gfx::Bitmap& frame, std::string& error) {
  const Image image = ImageOf(attributes_.get(), frame);
  if (!image) {
    error = "libimagequant refuses a picture of " + std::to_string(frame.Width()) + "x" + std::to_string(frame.Height());
    return {};
  }
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(frame.Width()) * frame.Height());
  const liq_error status = liq_write_remapped_image(result_.get(), image.get(), indices.data(), indices.size());
  if (status != LIQ_OK) {
    error = "libimagequant cannot map the colours: " + Reason(status);
    return {};
  }
  // The animation has one palette; a library that moved it while mapping would
  // make these indices show other colours.
  if (PaletteOf(result_.get()) != palette_) {
    error = "libimagequant changed the palette while mapping a frame";
    return {};
  }
  return indices;
}

}  // namespace render
