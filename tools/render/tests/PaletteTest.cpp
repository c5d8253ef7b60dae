#include "Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using render::ColourMapper;
using render::BuildPalette;
using render::Palette;

gfx::Bitmap Stripes(const std::vector<gfx::Pixel>& colours, int height = 3) {
  gfx::Bitmap bitmap(static_cast<int>(colours.size()), height);
  for (int y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < colours.size(); ++x) bitmap.Scanline(y)[x] = colours[x];
  }
  return bitmap;
}

gfx::Bitmap ManyColours() {
  gfx::Bitmap bitmap(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) bitmap.Scanline(y)[x] = static_cast<gfx::Pixel>((x * 4) << 16 | (y * 4) << 8 | ((x ^ y) * 4));
  }
  return bitmap;
}

TEST(BuildPalette, KeepsEveryColourWhenTheyFit) {
  const std::vector<gfx::Pixel> colours = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  const gfx::Bitmap image = Stripes(colours);
  Palette palette = BuildPalette({&image}, 8, {0xFFFFFF});
  ASSERT_EQ(6u, palette.size());
  EXPECT_EQ(0xFFFFFFu, palette.front());
  std::sort(palette.begin(), palette.end());
  std::vector<gfx::Pixel> expected = colours;
  expected.push_back(0xFFFFFF);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, palette);
}

TEST(BuildPalette, StaysWithinItsSizeAndKeepsTheExactColours) {
  const gfx::Bitmap image = ManyColours();
  for (int size : {1, 2, 16, 255, 256}) {
    SCOPED_TRACE(size);
    const Palette palette = BuildPalette({&image}, size, {0xFFFFFF, 0x000000});
    EXPECT_LE(palette.size(), static_cast<std::size_t>(std::max(size, 2)));
    EXPECT_EQ(0xFFFFFFu, palette[0]);
    ASSERT_GE(palette.size(), 2u) << "the exact colours even beyond the size";
    EXPECT_EQ(0x000000u, palette[1]);
    EXPECT_EQ(palette.size(), std::set<gfx::Pixel>(palette.begin(), palette.end()).size()) << "no duplicates";
  }
}

TEST(BuildPalette, ALoneColourFarAwayKeepsItsOwnEntry) {
  // Two dark greys, many pixels each, and one bright red pixel: with two entries
  // the greys share one (their weighted mean) and the red keeps its own.
  std::vector<gfx::Pixel> colours(30, 0x101010);
  colours.insert(colours.end(), 10, 0x202020);
  colours.push_back(0xFF0000);
  const gfx::Bitmap image = Stripes(colours, 1);
  Palette palette = BuildPalette({&image}, 2, {});
  std::sort(palette.begin(), palette.end());
  EXPECT_EQ((Palette{0x141414, 0xFF0000}), palette);
}

TEST(ColourMapper, MapsToTheNearestEntryAndPalettesColoursToThemselves) {
  ColourMapper mapper({0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF});
  struct Case {
    gfx::Pixel pixel;
    int index;
  };
  const Case cases[] = {{0x000000, 0}, {0xFFFFFF, 1}, {0xFF0000, 2}, {0x0000FF, 4}, {0x101010, 0},
                        {0xF0F0F0, 1}, {0xC02020, 2}, {0x20E020, 3}, {0xFF000000u | 0x00FF00, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.index, mapper.IndexOf(c.pixel)) << std::hex << c.pixel;
    EXPECT_EQ(c.index, mapper.IndexOf(c.pixel)) << "the remembered answer";
  }
}

}  // namespace
