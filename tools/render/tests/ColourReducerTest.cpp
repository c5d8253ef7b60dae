// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "ColourReducer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using render::ColourReducer;

gfx::Bitmap Stripes(const std::vector<gfx::Pixel>& colours) {
  gfx::Bitmap bitmap(static_cast<int>(colours.size()), 4);
  for (int y = 0; y < bitmap.Height(); ++y) std::copy(colours.begin(), colours.end(), bitmap.Scanline(y));
  return bitmap;
}

// 4096 colours, with a white block in one corner.
gfx::Bitmap ManyColoursAndWhite() {
  gfx::Bitmap bitmap(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool white = x >= 48 && y >= 48;
      bitmap.Scanline(y)[x] = white ? 0xFFFFFFu : static_cast<gfx::Pixel>((x * 4) << 16 | (y * 4) << 8 | ((x ^ y) * 4));
    }
  }
  return bitmap;
}

TEST(ColourReducer, KeepsTheChosenColoursExactAndFewColoursAsTheyAre) {
  struct Case {
    const char* name;
    gfx::Bitmap sample;
    int maxColours;
    std::vector<gfx::Pixel> exact;
    bool allExact;  // the sample's colours fit, so every pixel keeps its colour
  };
  const Case cases[] = {
      {"few colours, white not among them", Stripes({0x102030, 0xC04020, 0x20A040, 0x000000, 0x8080FF}), 16,
       {0xFFFFFF}, true},
      {"exactly as many as fit", Stripes({0x102030, 0xC04020, 0x20A040}), 4, {0xFFFFFF}, true},
      {"many colours into two", ManyColoursAndWhite(), 2, {0xFFFFFF}, false},
      {"many colours, white and black chosen", ManyColoursAndWhite(), 64, {0xFFFFFF, 0x000000}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    const auto reducer = ColourReducer::FromSample(c.sample, c.maxColours, c.exact, error);
    ASSERT_NE(nullptr, reducer) << error;
    const render::Palette& palette = reducer->Colours();
    EXPECT_LE(palette.size(), static_cast<std::size_t>(c.maxColours));
    EXPECT_EQ(palette.size(), std::set<gfx::Pixel>(palette.begin(), palette.end()).size()) << "no duplicates";
    for (gfx::Pixel colour : c.exact) {
      EXPECT_NE(palette.end(), std::find(palette.begin(), palette.end(), colour)) << std::hex << colour;
    }

    const std::vector<std::uint8_t> indices = reducer->Indices(c.sample, error);
    ASSERT_EQ(static_cast<std::size_t>(c.sample.Width()) * c.sample.Height(), indices.size()) << error;
    for (int y = 0; y < c.sample.Height(); ++y) {
      for (int x = 0; x < c.sample.Width(); ++x) {
        const gfx::Pixel pixel = c.sample.At(x, y);
        const std::uint8_t index = indices[static_cast<std::size_t>(y) * c.sample.Width() + x];
        ASSERT_LT(index, palette.size());
        const bool mustKeep = c.allExact || std::find(c.exact.begin(), c.exact.end(), pixel) != c.exact.end();
        if (mustKeep) {
          ASSERT_EQ(pixel, palette[index]) << "at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
