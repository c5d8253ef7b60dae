// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// What the runtime does with a form's native window while the program runs: the
// monitors change under a maximised form, and a form is destroyed with its window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HeadlessProgram.h"
#include "monitors/frmBlack.h"
#include "startup/runtime/Timer.h"

namespace {

using headless::ParseGeometry;
using runtime::PixelRect;

const std::vector<std::string> kThreeMonitors = {"1280x720+0+0", "1024x768+1280+0", "800x600-800+0"};

// A layout step: monitors by device number, geometry and density (0 for the
// machine's 96); a number left out is off. The system tells the windows of it by
// a display change, a density change (to the windows whose monitor's density
// changed), or both.
struct Output {
  int number;
  std::string geometry;
  int dotsPerInch = 0;
};
enum class Notice { Displays, Density, Both };
struct Layout {
  std::vector<Output> monitors;
  Notice notice = Notice::Displays;
};

void Apply(headless::Machine& machine, const Layout& layout) {
  machine.monitors.clear();
  for (const Output& output : layout.monitors) {
    const PixelRect rect = ParseGeometry(output.geometry);
    machine.monitors.push_back(
        headless::Monitor{rect, rect, L"\\\\.\\DISPLAY" + std::to_wstring(output.number), output.dotsPerInch});
  }
  if (layout.notice != Notice::Displays) machine.DpiChanged();
  if (layout.notice != Notice::Density) machine.DisplaysChanged();
}

const Layout kGrown{{{1, "1920x1080+0+0"}, {2, "1024x768+1920+0"}, {3, "800x600-800+0"}}};
const Layout kBack{{{1, "1280x720+0+0"}, {2, "1024x768+1280+0"}, {3, "800x600-800+0"}}};
const Layout kRightOff{{{1, "1280x720+0+0"}, {3, "800x600-800+0"}}};
const Layout kGrownRightOff{{{1, "1920x1080+0+0"}, {3, "800x600-800+0"}}};
const Layout kOtherPrimary{{{2, "1024x768+0+0"}, {1, "1280x720+1024+0"}, {3, "800x600-800+0"}}};
// The primary's scale set to 150%, nothing else changed.
const Layout kPrimaryAt150{{{1, "1280x720+0+0", 144}, {2, "1024x768+1280+0"}, {3, "800x600-800+0"}}, Notice::Density};
// Docked: a larger primary at 150% where the small one was, the right monitor gone.
const Layout kDockedAt150{{{1, "1920x1080+0+0", 144}, {3, "800x600-800+0"}}, Notice::Density};
const Layout kGrownAt150{{{1, "1920x1080+0+0", 144}, {2, "1024x768+1920+0"}, {3, "800x600-800+0"}}, Notice::Both};

TEST(DisplayChange, TheSaverFillsThePrimaryAndEachCoverItsOwnMonitorOrNone) {
  struct Row {
    const char* name;
    std::vector<Layout> changes;
    const char* saver;
    // Where the covers of the right and left monitors lie; "" for hidden.
    const char* right;
    const char* left;
  };
  const Row rows[] = {
      {"the primary grows", {kGrown}, "1920x1080+0+0", "1024x768+1920+0", "800x600-800+0"},
      {"the primary shrinks back", {kGrown, kBack}, "1280x720+0+0", "1024x768+1280+0", "800x600-800+0"},
      {"the right monitor is turned off", {kRightOff}, "1280x720+0+0", "", "800x600-800+0"},
      {"and turned back on", {kRightOff, kBack}, "1280x720+0+0", "1024x768+1280+0", "800x600-800+0"},
      {"turned off, then the primary grows over where it was",
       {kRightOff, kGrownRightOff}, "1920x1080+0+0", "", "800x600-800+0"},
      {"another monitor becomes the primary: its cover goes, the saver follows the primary",
       {kOtherPrimary}, "1024x768+0+0", "", "800x600-800+0"},
      // A density change is handled like a display change, and the run keeps the
      // density it started with: 15 twips a pixel.
      {"the primary's scale alone changes", {kPrimaryAt150}, "1280x720+0+0", "1024x768+1280+0", "800x600-800+0"},
      {"docked to a larger primary at 150%, told only of the density",
       {kDockedAt150}, "1920x1080+0+0", "", "800x600-800+0"},
      {"the primary grows to 150%, told of both", {kGrownAt150}, "1920x1080+0+0", "1024x768+1920+0", "800x600-800+0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HeadlessProgram run;
    run.machine().SetMonitors(kThreeMonitors);
    run.machine().cursor = {100, 100};
    run.Start(L"/s");
    run.machine().Advance(30);
    for (const Layout& change : row.changes) {
      Apply(run.machine(), change);
      run.machine().Advance(10);
    }
    frmAdvent1& saver = run.saver();
    const PixelRect expected = ParseGeometry(row.saver);
    EXPECT_EQ(run.machine().windows.at(saver.hWnd()).rect, expected);
    EXPECT_TRUE(run.machine().windows.at(saver.hWnd()).visible);
    EXPECT_FLOAT_EQ(saver.ScaleWidth(), static_cast<float>(expected.Width() * 15));
    EXPECT_FLOAT_EQ(saver.ScaleHeight(), static_cast<float>(expected.Height() * 15));

    // The back buffer follows the window and was composed whole: composing it
    // again from nothing gives the same pixels, white where no strip lies.
    const gfx::Bitmap frame = saver.Frame();
    ASSERT_EQ(frame.Width(), expected.Width());
    ASSERT_EQ(frame.Height(), expected.Height());
    saver.SetBackColor(runtime::kWhite);
    const gfx::Bitmap fresh = saver.Frame();
    EXPECT_EQ(saver.LastComposedRows(), expected.Height());
    int lowestStrip = 0;
    for (int k = 1; k < saver.Picture1.Count(); ++k) {
      lowestStrip = std::max(lowestStrip, saver.ControlPixels(saver.Picture1(k)).bottom);
    }
    int stale = 0, notWhite = 0;
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) {
        if (frame.Scanline(y)[x] != fresh.Scanline(y)[x]) ++stale;
        if (y >= lowestStrip && frame.Scanline(y)[x] != gfx::PixelFromColour(runtime::kWhite)) ++notWhite;
      }
    }
    EXPECT_EQ(stale, 0);
    EXPECT_EQ(notWhite, 0);

    // The covers are never moved onto another monitor: each lies on its own or is hidden.
    const auto& covers = run.project().Screens().Covers;
    ASSERT_EQ(covers.size(), 2u);
    const char* expectedCovers[] = {row.right, row.left};
    for (std::size_t slot = 0; slot < 2; ++slot) {
      const headless::Window& cover = run.machine().windows.at(covers[slot]->hWnd());
      const std::string where = expectedCovers[slot];
      EXPECT_EQ(cover.visible, !where.empty()) << "slot " << slot;
      if (!where.empty()) {
        EXPECT_EQ(cover.rect, ParseGeometry(where)) << "slot " << slot;
      }
    }

    // The run goes on, and a one-pixel move still ends it at the next tick.
    run.machine().Advance(100);
    EXPECT_FALSE(run.machine().ended);
    run.machine().cursor = {101, 100};
    run.machine().Advance(10);
    EXPECT_TRUE(run.machine().ended);
  }
}

TEST(DisplayChange, KeysAndClosesStillEndTheRunAfterAChange) {
  for (const bool close : {false, true}) {
    HeadlessProgram run;
    run.machine().SetMonitors(kThreeMonitors);
    run.Start(L"/s");
    run.machine().Advance(30);
    Apply(run.machine(), kGrown);
    if (close) {
      run.machine().RequestClose(run.saver().hWnd());
    } else {
      run.machine().Type(run.saver().hWnd(), L'a');
    }
    EXPECT_TRUE(run.machine().ended) << (close ? "close" : "key");
  }
}

TEST(DisplayChange, MonitorsThatCannotBeReadLeaveEveryWindowWhereItIs) {
  HeadlessProgram run;
  run.machine().SetMonitors(kThreeMonitors);
  run.Start(L"/s");
  run.machine().Advance(30);
  run.machine().Fail(L"EnumMonitors", 1);
  Apply(run.machine(), kGrown);
  EXPECT_EQ(run.machine().windows.at(run.saver().hWnd()).rect, (PixelRect{0, 0, 1280, 720}));
  EXPECT_EQ(run.saver().Frame().Width(), 1280);
  // The next notice reads them and catches up.
  run.machine().DisplaysChanged();
  EXPECT_EQ(run.machine().windows.at(run.saver().hWnd()).rect, (PixelRect{0, 0, 1920, 1080}));
  EXPECT_FALSE(run.machine().ended);
}

TEST(DisplayChange, ANormalWindowStaysWhereTheProgramPutIt) {
  headless::Reset();
  headless::TheMachine().SetMonitors(kThreeMonitors);
  frmBlack form;
  form.Load();
  form.SetVisible(true);
  const PixelRect before = headless::TheMachine().windows.at(form.hWnd()).rect;
  Apply(headless::TheMachine(), kRightOff);
  EXPECT_EQ(headless::TheMachine().windows.at(form.hWnd()).rect, before);
  EXPECT_TRUE(headless::TheMachine().windows.at(form.hWnd()).visible);
}

// A form that counts what reaches its handlers, in counters that outlive it.
struct Reached {
  int keys = 0;
  int ticks = 0;
  int closes = 0;
};

class CountingForm : public runtime::Form {
 public:
  explicit CountingForm(Reached& reached)
      : runtime::Form(runtime::FormDesign{}), Ticker(*this, 1, 10, [&reached] { ++reached.ticks; }), reached_(reached) {}
  runtime::Timer Ticker;

 protected:
  void Form_KeyPress(std::int16_t&) override { ++reached_.keys; }
  void Form_QueryUnload(std::int16_t& cancel, std::int16_t) override {
    ++reached_.closes;
    cancel = 1;
  }

 private:
  Reached& reached_;
};

TEST(FormLifetime, TheWindowGoesWithItsFormAndNothingReachesItAfterwards) {
  headless::Reset();
  headless::Machine& machine = headless::TheMachine();
  Reached reached;
  auto form = std::make_unique<CountingForm>(reached);
  form->Load();
  form->Ticker.SetEnabled(true);
  const runtime::WindowHandle window = form->hWnd();
  machine.Advance(30);
  machine.Type(window, L'a');
  machine.RequestClose(window);
  EXPECT_EQ(reached.ticks, 3);
  EXPECT_EQ(reached.keys, 1);
  EXPECT_EQ(reached.closes, 1);
  EXPECT_FALSE(machine.windows.at(window).destroyed);
  form->Ticker.SetEnabled(false);  // a stopped timer fires no more
  machine.Advance(30);
  EXPECT_EQ(reached.ticks, 3);

  form.reset();
  EXPECT_TRUE(machine.windows.at(window).destroyed);
  EXPECT_EQ(machine.CallsNamed(L"DestroyWindow"), std::vector<std::wstring>{L"DestroyWindow(" + std::to_wstring(window) + L")"});
  machine.Advance(100);
  machine.Type(window, L'a');
  machine.RequestClose(window);
  machine.DisplaysChanged();
  EXPECT_EQ(reached.ticks, 3);
  EXPECT_EQ(reached.keys, 1);
  EXPECT_EQ(reached.closes, 1);
}

TEST(FormLifetime, AFormWhoseWindowWasNeverMadeDestroysNothing) {
  headless::Reset();
  Reached reached;
  { CountingForm form(reached); }
  { frmBlack refused; }
  headless::TheMachine().Fail(L"CreateFormWindow");
  {
    frmBlack form;
    EXPECT_EQ(form.hWnd(), 0);
  }
  EXPECT_TRUE(headless::TheMachine().CallsNamed(L"DestroyWindow").empty());
}

}  // namespace
