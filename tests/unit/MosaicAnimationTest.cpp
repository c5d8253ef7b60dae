// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "HeadlessProgram.h"
#include "startup/runtime/Random.h"

namespace {

class MosaicAnimation : public ::testing::Test {
 protected:
  // The saver on a monitor of the given size, every row drawing the boy
  // (strip width W = 16 periods of 1305 twips at 1280 pixels wide).
  frmAdvent1& Saver(const std::string& monitor = "1280x720+0+0") {
    program.machine().SetMonitors({monitor});
    runtime::TheRandomGenerator().Script(std::deque<float>(100, 1.5f / 12));
    program.Start(L"/s");
    return program.saver();
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) program.saver().Timer2.Fire();
  }
  float LeftOf(int strip, int row) {
    return (strip == 1 ? program.saver().Picture1 : program.saver().Picture2)(row).Left();
  }

  HeadlessProgram program;
};

TEST_F(MosaicAnimation, FirstTicksMoveOddRowsLeftAndEvenRowsRightTenTwips) {
  frmAdvent1& saver = Saver();
  const float w = saver.Picture1(1).Width();
  const int rows = saver.Picture1.Count() - 1;
  ASSERT_EQ(rows, 7);
  struct Row {
    int ticks;
    float leftward[2];   // left strip, right strip of an odd row
    float rightward[2];  // of an even row
  };
  const Row rows_[] = {
      {1, {-10, w - 10}, {10, 10 - w}},
      {2, {-20, w - 20}, {20, 20 - w}},
      {300, {-3000, w - 3000}, {3000, 3000 - w}},
  };
  int done = 0;
  for (const Row& row : rows_) {
    Tick(row.ticks - done);
    done = row.ticks;
    for (int k = 1; k <= rows; ++k) {
      const float* expected = k % 2 == 1 ? row.leftward : row.rightward;
      EXPECT_EQ(LeftOf(1, k), expected[0]) << "tick " << row.ticks << " row " << k;
      EXPECT_EQ(LeftOf(2, k), expected[1]) << "tick " << row.ticks << " row " << k;
    }
  }
}

TEST_F(MosaicAnimation, WrapTakesEffectOnlyWhenStrictlyPastTheWidth) {
  frmAdvent1& saver = Saver();
  const float w = saver.Picture1(2).Width();
  runtime::PictureBox& rightward = saver.Picture2(2);
  runtime::PictureBox& leftward = saver.Picture1(1);
  rightward.SetLeft(w - 20);
  leftward.SetLeft(-w + 20);
  Tick();
  EXPECT_EQ(rightward.Left(), w - 10);
  EXPECT_EQ(leftward.Left(), -w + 10);
  Tick();
  EXPECT_EQ(rightward.Left(), w);  // equal: stays
  EXPECT_EQ(leftward.Left(), -w);
  Tick();
  EXPECT_EQ(rightward.Left(), 10 - w);  // greater: back by twice the width
  EXPECT_EQ(leftward.Left(), w - 10);   // and its mirror for leftward rows
}

TEST_F(MosaicAnimation, MosaicsOfNoRowOrOneRow) {
  {
    program.machine().Fail(L"LoadControl");
    Saver();
    Tick(5);
    EXPECT_EQ(program.saver().Picture1.Count(), 1);
    EXPECT_EQ(program.saver().Picture1(0).Left(), 4200.0f);  // templates never move
  }
  HeadlessProgram single;
  single.machine().SetMonitors({"1280x100+0+0"});
  single.Start(L"/s");
  ASSERT_EQ(single.saver().Picture1.Count(), 2);
  for (int i = 0; i < 3; ++i) single.saver().Timer2.Fire();
  EXPECT_EQ(single.saver().Picture1(1).Left(), -30.0f);
}

// 10 twips a tick is the same distance on every screen: an inch (1440 twips, as
// many pixels as the density) every 144 ticks, in steps of whole pixels that
// never lose a twip.
TEST_F(MosaicAnimation, EveryScaleSlidesAnInchEvery144Ticks) {
  struct Row {
    int dotsPerInch;
    int fewestPixels, mostPixels;  // a single tick's step
  };
  const Row rows[] = {{96, 0, 1}, {120, 0, 1}, {144, 1, 1}, {168, 1, 2}, {192, 1, 2}, {288, 2, 2}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.dotsPerInch) + " dpi");
    HeadlessProgram scaled;
    scaled.machine().dotsPerInch = row.dotsPerInch;
    scaled.machine().SetMonitors({"1280x720+0+0"});
    scaled.Start(L"/s");
    frmAdvent1& saver = scaled.saver();
    ASSERT_GE(saver.Picture1.Count(), 3);
    const runtime::PictureBox& leftward = saver.Picture1(1);
    const runtime::PictureBox& rightward = saver.Picture1(2);
    const int leftStart = saver.ControlPixels(leftward).left;
    const int rightStart = saver.ControlPixels(rightward).left;
    int last = leftStart;
    for (int tick = 1; tick <= 144; ++tick) {
      saver.Timer2.Fire();
      const int now = saver.ControlPixels(leftward).left;
      EXPECT_GE(last - now, row.fewestPixels) << "tick " << tick;
      EXPECT_LE(last - now, row.mostPixels) << "tick " << tick;
      last = now;
    }
    EXPECT_EQ(leftStart - last, row.dotsPerInch);
    EXPECT_EQ(saver.ControlPixels(rightward).left - rightStart, row.dotsPerInch);
  }
}

// The hundred-million-tick run is bench/EndlessBands.cpp.
TEST_F(MosaicAnimation, HundredThousandTicksStayExactBoundedAndSeamless) {
  frmAdvent1& saver = Saver("1280x200+0+0");
  const int rows = saver.Picture1.Count() - 1;
  ASSERT_GE(rows, 2);
  constexpr long long kTicks = 100'000;
  for (long long i = 0; i < kTicks; ++i) saver.Timer2.Fire();
  for (int k = 1; k <= rows; ++k) {
    const double w = saver.Picture1(k).Width();
    const double a = saver.Picture1(k).Left(), b = saver.Picture2(k).Left();
    EXPECT_TRUE(a >= -w && a <= w && b >= -w && b <= w) << "row " << k << ": " << a << ", " << b;
    EXPECT_EQ(std::fabs(a - b), w) << "row " << k;  // the two strips still touch
    // Exact: the strip has moved 10 twips a tick, give or take whole turns of 2W.
    const double travelled = (k % 2 == 1 ? -10.0 : 10.0) * kTicks;
    EXPECT_EQ(std::fmod(std::fmod(a - travelled, 2 * w) + 2 * w, 2 * w), 0.0) << "row " << k;
  }
}

}  // namespace
