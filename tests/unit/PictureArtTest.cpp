// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The picture set's art for each screen density: the sizes the program draws
// the pictures at, the art it carries, the PNG decoder and the resampler that
// makes the densities it does not carry.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "saver/PictureSet.h"
#include "startup/runtime/gfx/Bmp.h"
#include "startup/runtime/gfx/Png.h"
#include "startup/runtime/gfx/Resample.h"

namespace {

gfx::Pixel Grey(int level) { return static_cast<gfx::Pixel>(level) * 0x010101u; }

gfx::Bitmap Line(const std::vector<gfx::Pixel>& pixels, bool vertical) {
  const int count = static_cast<int>(pixels.size());
  gfx::Bitmap line(vertical ? 1 : count, vertical ? count : 1);
  for (int i = 0; i < count; ++i) line.Data()[i] = pixels[static_cast<std::size_t>(i)];
  return line;
}

std::vector<gfx::Pixel> Pixels(const gfx::Bitmap& bitmap) {
  return std::vector<gfx::Pixel>(bitmap.Data(), bitmap.Data() + bitmap.Width() * bitmap.Height());
}

TEST(Resample, GivesOneLineTheValuesOfItsPixelAreasOrBlends) {
  struct Row {
    const char* what;
    std::vector<gfx::Pixel> source;
    std::vector<gfx::Pixel> expected;
  };
  const Row rows[] = {
      {"halves", {Grey(0), Grey(100), Grey(200), Grey(40)}, {Grey(50), Grey(120)}},
      {"three to two: a pixel and a half each", {Grey(0), Grey(90), Grey(180)}, {Grey(30), Grey(150)}},
      {"all to one", {Grey(10), Grey(20), Grey(30), Grey(40), Grey(50)}, {Grey(30)}},
      {"same length", {Grey(7), Grey(8), Grey(9)}, {Grey(7), Grey(8), Grey(9)}},
      {"channels apart, halves rounded up", {0xFF0000, 0x0000FF}, {0x800080}},
      {"two to four: edges held, inside blended", {Grey(0), Grey(200)}, {Grey(0), Grey(50), Grey(150), Grey(200)}},
      {"one to three", {Grey(90)}, {Grey(90), Grey(90), Grey(90)}},
      {"a falling edge, two to four", {Grey(200), Grey(0)}, {Grey(200), Grey(150), Grey(50), Grey(0)}},
      {"five to six: each blended from the two around it",
       {Grey(210), Grey(100), Grey(120), Grey(150), Grey(30)},
       {Grey(210), Grey(128), Grey(112), Grey(133), Grey(120), Grey(30)}},
  };
  for (const Row& row : rows) {
    for (bool vertical : {false, true}) {
      const int length = static_cast<int>(row.expected.size());
      const gfx::Bitmap result =
          gfx::Resample(Line(row.source, vertical), vertical ? 1 : length, vertical ? length : 1);
      EXPECT_EQ(Pixels(result), row.expected) << row.what << (vertical ? ", down" : ", across");
    }
  }
}

TEST(Resample, KeepsAPlainAreaExactlyAtAnySize) {
  struct Row {
    int fromWidth, fromHeight, toWidth, toHeight;
  };
  const Row rows[] = {{7, 5, 3, 2},       {7, 5, 20, 13},    {136, 136, 170, 170}, {408, 408, 392, 392},
                      {3, 3, 1, 1},       {1, 1, 5, 5},      {10, 4, 6, 9},        {357, 357, 446, 446}};
  for (const Row& row : rows) {
    for (gfx::Pixel colour : {0xFFFFFFu, 0x123456u}) {
      const gfx::Bitmap result = gfx::Resample(gfx::Bitmap(row.fromWidth, row.fromHeight, colour), row.toWidth,
                                               row.toHeight);
      ASSERT_EQ(result.Width(), row.toWidth);
      ASSERT_EQ(result.Height(), row.toHeight);
      EXPECT_EQ(std::set<gfx::Pixel>(result.Data(), result.Data() + row.toWidth * row.toHeight),
                std::set<gfx::Pixel>{colour})
          << row.fromWidth << "x" << row.fromHeight << " to " << row.toWidth << "x" << row.toHeight;
    }
  }
}

// A PNG file made by libpng's writer from tightly packed samples.
std::vector<unsigned char> EncodedPng(int width, int height, png_uint_32 format, const std::vector<unsigned char>& samples) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, nullptr));
  std::vector<unsigned char> file(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, file.data(), &size, 0, samples.data(), 0, nullptr));
  file.resize(size);
  return file;
}

TEST(Png, DecodesTheStoredColoursOpaque) {
  struct Row {
    const char* what;
    png_uint_32 format;
    std::vector<unsigned char> samples;  // 2 x 1 pixels
    std::vector<gfx::Pixel> expected;
  };
  const Row rows[] = {
      {"colour", PNG_FORMAT_RGB, {255, 0, 0, 1, 2, 3}, {0xFF0000, 0x010203}},
      {"grey", PNG_FORMAT_GRAY, {0, 200}, {0x000000, 0xC8C8C8}},
      {"colour with alpha: the colour stays, the alpha goes", PNG_FORMAT_RGBA, {10, 20, 30, 0, 255, 255, 255, 128},
       {0x0A141E, 0xFFFFFF}},
  };
  for (const Row& row : rows) {
    const std::vector<unsigned char> file = EncodedPng(2, 1, row.format, row.samples);
    const std::optional<gfx::Bitmap> bitmap = gfx::DecodePng(file.data(), file.size());
    ASSERT_TRUE(bitmap.has_value()) << row.what;
    ASSERT_EQ(bitmap->Width(), 2) << row.what;
    EXPECT_EQ(Pixels(*bitmap), row.expected) << row.what;
  }
}

TEST(Png, RejectsWhatItCannotRead) {
  const std::vector<unsigned char> good = EncodedPng(2, 1, PNG_FORMAT_RGB, {1, 2, 3, 4, 5, 6});
  struct Row {
    const char* what;
    std::vector<unsigned char> file;
  };
  const EmbeddedFile& bmp = kPictureFiles[0];
  const Row rows[] = {
      {"nothing", {}},
      {"the signature alone", std::vector<unsigned char>(good.begin(), good.begin() + 8)},
      {"cut off before the pixels", std::vector<unsigned char>(good.begin(), good.end() - 20)},
      {"a BMP", std::vector<unsigned char>(bmp.bytes, bmp.bytes + bmp.size)},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(gfx::DecodePng(row.file.data(), row.file.size()).has_value()) << row.what;
  }
}

// Art that fails at 144 dpi: none at all, or a picture of another size.
std::optional<gfx::Bitmap> NoArtAt144(const CarriedDensity& art, int index) {
  return art.dotsPerInch == 144 ? std::nullopt : DecodeArt(art, index);
}
std::optional<gfx::Bitmap> WrongSizeAt144(const CarriedDensity& art, int index) {
  return art.dotsPerInch == 144 ? gfx::Bitmap(5, 5, 0xFFFFFFu) : DecodeArt(art, index);
}

TEST(PictureSet, DrawsEachPictureAtItsSizeTimesTheScale) {
  struct Row {
    int dotsPerInch;
    int index;
    int width, height;  // round(w * dpi / 96) with halves to even, from 71 x 95 and the like
    int madeFrom = 0;   // the density whose art, resampled, the picture must be
    ArtDecoder decode = DecodeArt;
  };
  const Row rows[] = {
      {96, 1, 71, 95},    {120, 0, 108, 200},  {144, 1, 106, 142}, {144, 7, 154, 220},  {168, 9, 98, 240},
      {192, 2, 272, 272}, {216, 5, 230, 248},  {240, 6, 240, 402}, {264, 8, 264, 319},  {288, 10, 357, 357},
      // Densities without art of their own, made from the largest; outside the
      // range, taken as its ends.
      {110, 2, 156, 156, 288}, {72, 0, 64, 120}, {336, 4, 444, 413}, {480, 11, 540, 700}, {10, 0, 22, 40},
      {5000, 9, 560, 1370},
      // Art that cannot be used: the picture is made from the 96-dpi art.
      {144, 1, 106, 142, 96, NoArtAt144}, {144, 7, 154, 220, 96, WrongSizeAt144},
  };
  for (const Row& row : rows) {
    const runtime::Picture picture = LoadSetPicture(row.index, row.dotsPerInch, row.decode);
    ASSERT_NE(picture, nullptr) << row.dotsPerInch << " dpi, picture " << row.index;
    EXPECT_EQ(picture->Width(), row.width) << row.dotsPerInch << " dpi, picture " << row.index;
    EXPECT_EQ(picture->Height(), row.height) << row.dotsPerInch << " dpi, picture " << row.index;
    const int right = picture->Width() - 1;
    const int bottom = picture->Height() - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
      EXPECT_EQ(picture->At(x, y), 0xFFFFFFu) << row.dotsPerInch << " dpi, picture " << row.index;
    }
    if (row.madeFrom == 0) continue;
    const CarriedDensity* art = std::find_if(kCarriedDensities, kCarriedDensities + kCarriedDensityCount,
                                             [&](const CarriedDensity& d) { return d.dotsPerInch == row.madeFrom; });
    EXPECT_EQ(Pixels(*picture), Pixels(gfx::Resample(*DecodeArt(*art, row.index), row.width, row.height)))
        << row.dotsPerInch << " dpi, picture " << row.index << " not made from the " << row.madeFrom << "-dpi art";
  }
}

TEST(PictureSet, AtTheDesignDensityEachPictureIsItsBmp) {
  for (int index = 0; index < kPictureCount; ++index) {
    const EmbeddedFile& file = kPictureFiles[index];
    const std::optional<gfx::Bitmap> bmp = gfx::DecodeBmp(file.bytes, file.size);
    const runtime::Picture picture = LoadSetPicture(index, 96);
    ASSERT_TRUE(bmp.has_value() && picture != nullptr) << index;
    EXPECT_EQ(Pixels(*picture), Pixels(*bmp)) << index;
  }
}

TEST(PictureSet, CarriesArtOfItsOwnSizeForEveryScaleFrom100To300Percent) {
  std::vector<int> carried;
  for (int i = 0; i < kCarriedDensityCount; ++i) carried.push_back(kCarriedDensities[i].dotsPerInch);
  EXPECT_EQ(carried, (std::vector<int>{96, 120, 144, 168, 192, 216, 240, 264, 288}));
  // The art pipeline must size each picture as the program does, or the program
  // would resample carried art.
  for (int i = 1; i < kCarriedDensityCount; ++i) {
    const CarriedDensity& density = kCarriedDensities[i];
    for (int index = 0; index < kPictureCount; ++index) {
      const EmbeddedFile& file = density.files[index];
      const std::optional<gfx::Bitmap> art = gfx::DecodePng(file.bytes, file.size);
      const runtime::Picture picture = LoadSetPicture(index, density.dotsPerInch);
      ASSERT_TRUE(art.has_value() && picture != nullptr) << density.dotsPerInch << " dpi, picture " << index;
      EXPECT_EQ(Pixels(*picture), Pixels(*art)) << density.dotsPerInch << " dpi, picture " << index;
    }
  }
}

}  // namespace
