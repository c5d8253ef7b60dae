// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "HeadlessProgram.h"
#include "PictureList.h"
#include "startup/runtime/Application.h"
#include "startup/runtime/gfx/Bmp.h"

namespace {

// The pictures' pixels at 96 dpi, width and height, by index (assets/pictures.txt).
const auto& kSizesAt96 = kPictureSizesAt96;
static_assert(std::size(kPictureSizesAt96) == 12, "the saver has twelve pictures");

TEST(PictureSet, TwelveMembersEachTheSizeOfItsPicture) {
  struct Row {
    int index;
    int width, height;  // pixels
  };
  Row rows[12];
  for (int index = 0; index < 12; ++index) rows[index] = {index, kSizesAt96[index].first, kSizesAt96[index].second};
  HeadlessProgram program;
  frmAdvent1& saver = program.saver();
  EXPECT_EQ(saver.Image1.Count(), 12);
  EXPECT_EQ(saver.Image1.Item(12), nullptr);
  for (const Row& row : rows) {
    const runtime::ImageControl* member = saver.Image1.Item(row.index);
    ASSERT_NE(member, nullptr) << row.index;
    ASSERT_NE(member->GetPicture(), nullptr) << row.index;
    EXPECT_EQ(member->GetPicture()->Width(), row.width) << row.index;
    EXPECT_EQ(member->GetPicture()->Height(), row.height) << row.index;
    EXPECT_EQ(member->Width(), static_cast<float>(row.width) * 15.0f) << row.index;
    EXPECT_EQ(member->Height(), static_cast<float>(row.height) * 15.0f) << row.index;
    EXPECT_FALSE(member->Visible());
    // The background reaches all four corners.
    const gfx::Bitmap& picture = *member->GetPicture();
    for (const auto& corner : {std::pair{0, 0}, {row.width - 1, 0}, {0, row.height - 1}, {row.width - 1, row.height - 1}}) {
      EXPECT_EQ(picture.At(corner.first, corner.second), 0xFFFFFFu) << row.index;
    }
  }
}

// At s times 96 dpi a picture has round(w × s) × round(h × s) pixels (w × h its
// pixels at 96 dpi, halves to even), and its size in twips is those pixels times the twips per
// pixel, 1440 ÷ dpi: the 96-dpi size in twips to within half a pixel.
TEST(PictureSet, EachScaleDrawsThePicturesAtTheirDesignSize) {
  struct Row {
    int dotsPerInch;
    float twipsPerPixel;
  };
  // A density that reads as 0 counts as 96.
  const Row rows[] = {{96, 15}, {120, 12}, {144, 10}, {168, 1440.0f / 168}, {192, 7.5f}, {288, 5}, {0, 15}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.dotsPerInch) + " dpi");
    HeadlessProgram program;
    program.machine().dotsPerInch = row.dotsPerInch;
    frmAdvent1& saver = program.saver();
    EXPECT_EQ(runtime::Screen().TwipsPerPixelX(), row.twipsPerPixel);
    EXPECT_EQ(runtime::Screen().TwipsPerPixelY(), row.twipsPerPixel);
    for (int index = 0; index < 12; ++index) {
      const auto [width96, height96] = kSizesAt96[index];
      // Rounded to the nearest pixel, halves to even as the program rounds: at 150%
      // the boy's 71 x 95 give 106 x 142.
      const long drawnAt = std::lround(1440.0 / row.twipsPerPixel);  // the density drawn for
      const int width = static_cast<int>(std::nearbyint(static_cast<double>(width96 * drawnAt) / 96.0));
      const int height = static_cast<int>(std::nearbyint(static_cast<double>(height96 * drawnAt) / 96.0));
      const runtime::ImageControl& member = saver.Image1(index);
      ASSERT_NE(member.GetPicture(), nullptr) << index;
      EXPECT_EQ(member.GetPicture()->Width(), width) << index;
      EXPECT_EQ(member.GetPicture()->Height(), height) << index;
      EXPECT_EQ(member.Width(), static_cast<float>(width) * row.twipsPerPixel) << index;
      EXPECT_EQ(member.Height(), static_cast<float>(height) * row.twipsPerPixel) << index;
      EXPECT_NEAR(member.Width(), width96 * 15.0, row.twipsPerPixel / 2 + 0.01) << index;
      EXPECT_NEAR(member.Height(), height96 * 15.0, row.twipsPerPixel / 2 + 0.01) << index;
    }
  }
}

TEST(PictureSet, StripsLoadedFromEitherTemplateAreWhiteBorderlessAndHidden) {
  HeadlessProgram program;
  frmAdvent1& saver = program.saver();
  for (auto* strips : {&saver.Picture1, &saver.Picture2}) {
    EXPECT_EQ(strips->Count(), 1);
    runtime::PictureBox* strip = strips->Load(1);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->BackColor(), runtime::kWhite);
    EXPECT_EQ(strip->Design().borderStyle, 0);
    EXPECT_FALSE(strip->Visible());
    EXPECT_TRUE(strip->Image().copies.empty());
    EXPECT_EQ(strips->Load(1), nullptr);  // an index is loaded once
  }
  EXPECT_EQ(saver.Picture1(0).Top(), 720.0f);
  EXPECT_EQ(saver.Picture2(0).Top(), 2040.0f);
  EXPECT_EQ(saver.Picture2(0).Design().tabIndex, 1);
}

// A 3x2 bitmap, bottom-up, rows padded to 12 bytes: red, green, blue / white, black, grey.
std::vector<unsigned char> TinyBmp() {
  std::vector<unsigned char> file = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0,
                                     0,   0,   1,  0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     0,   0,   0,  0, 0, 0};
  const unsigned char bottom[] = {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};
  const unsigned char top[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
  file.insert(file.end(), bottom, bottom + 12);
  file.insert(file.end(), top, top + 12);
  return file;
}

TEST(Bmp, DecodesBottomUpRowsWithPadding) {
  const std::vector<unsigned char> file = TinyBmp();
  const auto bitmap = gfx::DecodeBmp(file.data(), file.size());
  ASSERT_TRUE(bitmap.has_value());
  const gfx::Pixel expected[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x808080}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap->At(x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(Bmp, RejectsWhatItCannotRead) {
  struct Row {
    const char* fault;
    std::size_t at;
    std::uint32_t value;  // written little-endian over `bytes` bytes at `at`
    std::size_t keep;
    std::size_t bytes = 1;
  };
  const Row rows[] = {
      {"magic", 0, 'X', 78},    {"bits per pixel", 28, 32, 78}, {"compression", 30, 1, 78},
      {"planes", 26, 2, 78},    {"zero width", 18, 0, 78},      {"truncated pixels", 0, 'B', 70},
      {"no header", 0, 'B', 20}, {"offset past end", 10, 200, 78},
      {"most negative height", 22, 0x80000000u, 78, 4}, {"height past the limit", 22, 0xFFFF7FFFu, 78, 4},
  };
  for (const Row& row : rows) {
    std::vector<unsigned char> file = TinyBmp();
    for (std::size_t i = 0; i < row.bytes; ++i) file[row.at + i] = static_cast<unsigned char>(row.value >> (8 * i));
    file.resize(row.keep);
    EXPECT_FALSE(gfx::DecodeBmp(file.data(), file.size()).has_value()) << row.fault;
  }
}

}  // namespace
