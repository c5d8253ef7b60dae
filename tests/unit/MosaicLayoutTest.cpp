// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "HeadlessProgram.h"
#include "startup/runtime/Random.h"

namespace {

// The generator value that draws picture `pick` of twelve.
float Drawing(int pick) { return (static_cast<float>(pick) + 0.5f) / 12.0f; }

struct Layout {
  int rows = 0;
  std::vector<float> tops;
  std::vector<float> widths;
};

// Loads the saver on one monitor of the given size and density, every row drawing `pick`.
Layout LayOut(HeadlessProgram& program, const std::string& monitor, int pick, int dotsPerInch = 96) {
  program.machine().SetMonitors({monitor});
  program.machine().dotsPerInch = dotsPerInch;
  runtime::TheRandomGenerator().Script(std::deque<float>(200, Drawing(pick)));
  program.Start(L"/s");
  frmAdvent1& saver = program.saver();
  Layout layout;
  layout.rows = saver.Picture1.Count() - 1;
  for (int k = 1; k <= layout.rows; ++k) {
    layout.tops.push_back(saver.Picture1(k).Top());
    layout.widths.push_back(saver.Picture1(k).Width());
    // Both strips of a row agree; the right one starts where the left one ends.
    EXPECT_EQ(saver.Picture2(k).Top(), saver.Picture1(k).Top()) << "row " << k;
    EXPECT_EQ(saver.Picture2(k).Width(), saver.Picture1(k).Width()) << "row " << k;
    EXPECT_EQ(saver.Picture2(k).Left(), saver.Picture1(k).Width()) << "row " << k;
    EXPECT_EQ(saver.Picture1(k).Left(), 0.0f) << "row " << k;
    EXPECT_TRUE(saver.Picture1(k).Visible() && saver.Picture2(k).Visible()) << "row " << k;
  }
  return layout;
}

TEST(MosaicLayout, RowsWidthsTopsAndShiftWorkedOutByHand) {
  struct Row {
    const char* monitor;
    int pick;
    int rows;
    float stripWidth;
    float rowStep;  // picture height + 120
    float shift;
    int dotsPerInch = 96;
  };
  const Row rows[] = {
      // Boy (1065 x 1425 twips): P = 1305; 19200 / 1305 = 14.7 -> 15 + 1 periods;
      // 7 rows reach 10815, excess 15 -> shift 7.5 -> 8.
      {"1280x720+0+0", 1, 7, 16 * 1305.0f, 1545, 8},
      // Locomotive (2040 x 2040): P = 2280; 28800 / 2280 = 12.6 -> 13 + 1; 8 rows reach 17280.
      {"1920x1080+0+0", 2, 8, 14 * 2280.0f, 2160, 540},
      // Candy cane (840 x 2055): P = 1080; 57600 / 1080 = 53.3 -> 53 + 1; 15 rows reach
      // 32625, excess 225 -> 112.5 -> 112. Past 16 bits, laid out all the same.
      {"3840x2160+0+0", 9, 15, 54 * 1080.0f, 2175, 112},
      // One row high: the loop body runs once; excess 45 -> 22.5 -> 22.
      {"1280x100+0+0", 1, 1, 16 * 1305.0f, 1545, 22},
      // The rows end exactly on the window's height: the test is "less than", shift 0.
      {"1280x721+0+0", 1, 7, 16 * 1305.0f, 1545, 0},
      // 200% on a screen twice as large: the locomotive is 272 pixels of 7.5 twips,
      // the window 28800 x 16200 twips, and the layout is the 1920x1080 one above.
      {"3840x2160+0+0", 2, 8, 14 * 2280.0f, 2160, 540, 192},
      // 150% at 3840 pixels: 38400 twips wide, past 16 bits; 204 pixels of 10 twips
      // give 2040 again; 38400 / 2280 = 16.8 -> 17 + 1; 10 rows end on 21600 exactly.
      {"3840x2160+0+0", 2, 10, 18 * 2280.0f, 2160, 0, 144},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.monitor) + " at " + std::to_string(row.dotsPerInch) + " dpi");
    HeadlessProgram program;
    const Layout layout = LayOut(program, row.monitor, row.pick, row.dotsPerInch);
    ASSERT_EQ(layout.rows, row.rows);
    for (int k = 0; k < layout.rows; ++k) {
      EXPECT_EQ(layout.widths[k], row.stripWidth) << "row " << k + 1;
      EXPECT_EQ(layout.tops[k], static_cast<float>(k) * row.rowStep - row.shift) << "row " << k + 1;
    }
  }
}

TEST(MosaicLayout, HalfwayRatiosRoundToEven) {
  // Candy cane, P = 1080 twips: 468 px = 7020 twips = 6.5 P; 540 px = 8100 twips = 7.5 P.
  struct Row {
    const char* monitor;
    float stripWidth;
  };
  const Row rows[] = {{"468x600+0+0", 7 * 1080.0f}, {"540x600+0+0", 9 * 1080.0f}};
  for (const Row& row : rows) {
    HeadlessProgram program;
    EXPECT_EQ(LayOut(program, row.monitor, 9).widths.at(0), row.stripWidth) << row.monitor;
  }
}

TEST(MosaicLayout, CentringShiftRoundsHalvesToEven) {
  // The boy's five rows reach 5 x 1545 = 7725 twips, 515 pixels of 15 twips.
  struct Row {
    int height;  // pixels
    float shift;
  };
  const Row rows[] = {{514, 8}, {512, 22}, {513, 15}, {515, 0}};  // excess 15, 45, 30, 0 twips
  for (const Row& row : rows) {
    HeadlessProgram program;
    const Layout layout = LayOut(program, "300x" + std::to_string(row.height) + "+0+0", 1);
    ASSERT_EQ(layout.rows, 5) << "height " << row.height;
    EXPECT_EQ(layout.tops.at(0), -row.shift) << "height " << row.height;
  }
}

// The same screen at another scale: as many pixels more as the scale gives. Each
// picture's twips come from its whole pixels at that density, so a period and a
// row's pitch (height + 120) are the 96-dpi ones to within a pixel; where the
// scale makes every size exact (200%, 300%) the whole layout is the same in twips.
TEST(MosaicLayout, EveryScaleLaysOutThe96DpiMosaicInTwips) {
  struct Row {
    int dotsPerInch;
    bool exact;
  };
  const Row rows[] = {{120, false}, {144, false}, {168, false}, {192, true}, {288, true}};
  for (const Row& row : rows) {
    const double scale = row.dotsPerInch / 96.0;
    const double pixel = 1440.0 / row.dotsPerInch;  // twips
    const std::string monitor = std::to_string(std::lround(1920 * scale)) + "x" +
                                std::to_string(std::lround(1080 * scale)) + "+0+0";
    for (int pick = 0; pick < 12; ++pick) {
      SCOPED_TRACE(std::to_string(row.dotsPerInch) + " dpi, picture " + std::to_string(pick));
      HeadlessProgram at96;
      const Layout expected = LayOut(at96, "1920x1080+0+0", pick);
      const float expectedPeriod = at96.saver().Image1(pick).Width() + 240;
      HeadlessProgram scaled;
      const Layout layout = LayOut(scaled, monitor, pick, row.dotsPerInch);
      EXPECT_NEAR(scaled.saver().Image1(pick).Width() + 240, expectedPeriod, pixel);
      ASSERT_EQ(layout.rows, expected.rows);
      for (int k = 1; k < layout.rows; ++k) {
        EXPECT_NEAR(layout.tops[k] - layout.tops[k - 1], expected.tops[k] - expected.tops[k - 1], pixel) << k;
      }
      if (row.exact) {
        EXPECT_EQ(layout.tops, expected.tops);
        EXPECT_EQ(layout.widths, expected.widths);
      }
    }
  }
}

TEST(MosaicLayout, StripsAreHalfToOneAndAHalfPeriodsWiderThanTheWindow) {
  for (int width = 200; width <= 7680; width += 97) {
    for (int pick : {0, 3, 9, 11}) {
      HeadlessProgram program;
      const Layout layout = LayOut(program, std::to_string(width) + "x200+0+0", pick);
      const float period = program.saver().Image1(pick).Width() + 240;
      const float excess = layout.widths.at(0) - static_cast<float>(width) * 15;
      EXPECT_GE(excess, period / 2) << width << " pick " << pick;
      EXPECT_LE(excess, period * 1.5f) << width << " pick " << pick;
    }
  }
}

TEST(MosaicLayout, CopiesStandOneTwipInAndOnePeriodApart) {
  HeadlessProgram program;
  LayOut(program, "1280x720+0+0", 1);
  for (auto* strips : {&program.saver().Picture1, &program.saver().Picture2}) {
    const runtime::PictureBox& strip = (*strips)(1);
    const auto& copies = strip.GetPicture().copies;
    ASSERT_EQ(copies.size(), 16u);  // one copy per period
    for (std::size_t j = 0; j < copies.size(); ++j) {
      EXPECT_EQ(copies[j].x, 1.0f + static_cast<float>(j) * 1305) << j;
      EXPECT_EQ(copies[j].y, 0.0f);
    }
    EXPECT_EQ(strip.Width() - (copies.back().x + 1065), 239.0f);  // the last ends 239 twips short
  }
}

TEST(MosaicLayout, EveryPictureCanBeDrawnAndTheDrawFollowsTheGenerator) {
  HeadlessProgram program;
  program.machine().SetMonitors({"1280x4000+0+0"});
  std::deque<float> draws;
  for (int pick = 0; pick < 12; ++pick) draws.push_back(Drawing(pick));
  draws.push_back(0.99999994f);  // the largest value below 1 draws the last picture
  runtime::TheRandomGenerator().Script(draws);
  program.Start(L"/s");
  frmAdvent1& saver = program.saver();
  ASSERT_GE(saver.Picture1.Count() - 1, 13);
  for (int k = 1; k <= 13; ++k) {
    const float expected = saver.Image1(k <= 12 ? k - 1 : 11).Height();
    EXPECT_EQ(saver.Picture1(k).Height(), expected) << "row " << k;
  }
}

TEST(MosaicLayout, AStripThatCannotBeMadeEndsTheLayout) {
  HeadlessProgram program;
  program.machine().Fail(L"LoadControl");  // every load refused
  program.Start(L"/s");
  EXPECT_EQ(program.saver().Picture1.Count(), 1);
  EXPECT_TRUE(program.saver().Visible());
  EXPECT_FALSE(program.machine().ended);
}

}  // namespace
