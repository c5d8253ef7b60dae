// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HeadlessProgram.h"
#include "startup/runtime/Controls.h"
#include "startup/runtime/Form.h"

namespace {

using runtime::PictureBox;

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kWhite = 0xFFFFFF;
constexpr gfx::Pixel kBlue = 0x0000FF;

// A maximised white form on a 40 x 4 pixel monitor at 15 twips per pixel, with a
// 2 x 2 red picture; a period of picture + 240 twips is 18 pixels.
class Compositor : public ::testing::Test {
 protected:
  Compositor() { Fresh(); }

  void Fresh() {
    boxes.clear();
    headless::Reset();
    headless::TheMachine().SetMonitors({"40x4+0+0"});
    runtime::FormDesign design;
    design.windowState = runtime::WindowState::Maximised;
    form = std::make_unique<runtime::Form>(design);
    form->SetVisible(true);
    red = std::make_shared<const gfx::Bitmap>(2, 2, kRed);
  }

  PictureBox& Strip(float left, float widthTwips, int copies, float heightTwips = 30) {
    runtime::PictureBoxDesign design;
    design.left = left;
    design.width = widthTwips;
    design.height = heightTwips;
    design.backColour = runtime::kWhite;
    boxes.push_back(std::make_unique<PictureBox>(*form, design));
    PictureBox& box = *boxes.back();
    for (int j = 0; j < copies; ++j) box.PaintPicture(red, 1.0f + static_cast<float>(j) * 270, 0);
    box.SetPicture(box.Image());
    box.SetVisible(true);
    return box;
  }

  // The top scanline as text: R for red, . for white, ? otherwise.
  std::string TopRow() {
    const gfx::Bitmap& frame = form->Frame();
    std::string row;
    for (int x = 0; x < frame.Width(); ++x) {
      const gfx::Pixel p = frame.At(x, 0);
      row += p == kRed ? 'R' : p == kWhite ? '.' : '?';
    }
    return row;
  }

  std::unique_ptr<runtime::Form> form;
  std::vector<std::unique_ptr<PictureBox>> boxes;
  runtime::Picture red;
};

TEST_F(Compositor, PicturesStandAtTheirPlacesWithWhiteGaps) {
  struct Row {
    const char* name;
    float left;
    float width;
    int copies;
    const char* expected;
  };
  const Row rows[] = {
      {"one twip in lands on pixel 0", 0, 600, 1, "RR......................................"},
      {"240-twip gaps are 16 pixels", 0, 600, 3, "RR................RR................RR.."},
      {"clipped at negative x", -285, 600, 2, "R......................................."},
      {"past the right edge", 570, 600, 1, "......................................RR"},
      {"a narrow box clips its pictures", 0, 15, 2, "R......................................."},
  };
  for (const Row& row : rows) {
    Fresh();
    Strip(row.left, row.width, row.copies);
    EXPECT_EQ(TopRow(), row.expected) << row.name;
  }
}

TEST_F(Compositor, EveryPixelOutsideThePicturesKeepsItsColour) {
  form->SetBackColor(0x00FF0000);  // the form blue, the strip white
  Strip(15 * 10, 15 * 20, 1, 15 * 2);
  const gfx::Bitmap& frame = form->Frame();
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      const bool inPicture = x >= 10 && x < 12 && y < 2;
      const bool inStrip = x >= 10 && x < 30 && y < 2;
      const gfx::Pixel expected = inPicture ? kRed : inStrip ? kWhite : kBlue;
      EXPECT_EQ(frame.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(Compositor, TwoStripsSideBySideJoinWithoutASeam) {
  // Two periods each (540 twips = 36 pixels), the first starting 18 pixels left of
  // the form: the pattern runs on across the joint at pixel 18.
  Strip(-270, 540, 2);
  Strip(270, 540, 2);
  EXPECT_EQ(TopRow(), "RR................RR................RR..");
}

TEST_F(Compositor, OnlyRowsThatMovedAreComposedAgain) {
  PictureBox& box = Strip(0, 600, 2);
  form->Frame();
  EXPECT_EQ(form->LastComposedRows(), 4);
  box.SetLeft(5);  // a third of a pixel: nothing to show
  form->Frame();
  EXPECT_EQ(form->LastComposedRows(), 0);
  box.SetLeft(10);  // two thirds: rounds to the next pixel
  EXPECT_EQ(TopRow(), ".RR................RR...................");
  EXPECT_EQ(form->LastComposedRows(), 2);  // the strip's two rows only
  box.SetLeft(20);  // 1.33 pixels: still pixel 1
  form->Frame();
  EXPECT_EQ(form->LastComposedRows(), 0);
}

TEST(CompositorOnTheMosaic, ComposingEveryTickGivesTheSameFrameAsComposingOnce) {
  const auto run = [](int ticks, bool composeEveryTick) {
    HeadlessProgram program;
    program.machine().SetMonitors({"320x200+0+0"});
    program.Start(L"/s");
    for (int i = 0; i < ticks; ++i) {
      program.machine().Advance(10);
      if (composeEveryTick) program.saver().Frame();
    }
    return program.saver().Frame();  // a copy
  };
  for (int ticks : {1, 2, 3, 97, 1000}) {
    const gfx::Bitmap incremental = run(ticks, true);
    const gfx::Bitmap once = run(ticks, false);
    ASSERT_EQ(incremental.Width(), once.Width());
    int differing = 0;
    for (int y = 0; y < once.Height(); ++y) {
      for (int x = 0; x < once.Width(); ++x) differing += incremental.At(x, y) != once.At(x, y);
    }
    EXPECT_EQ(differing, 0) << "after " << ticks << " ticks";
  }
}

}  // namespace
