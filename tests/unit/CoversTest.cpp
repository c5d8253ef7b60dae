// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The black covers over every monitor in use but the primary: which screens get
// one, in which slot, where each is placed and which monitor it ends up covering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "HeadlessProgram.h"
#include "monitors/frmBlack.h"
#include "monitors/modScreens.h"
#include "startup/runtime/headless/Machine.h"

namespace {

using headless::ParseGeometry;
using runtime::PixelRect;
using runtime::WindowHandle;

std::wstring Handle(WindowHandle window) { return std::to_wstring(window); }

// Index of the first recorded call equal to `call`; the end when there is none.
std::size_t IndexOf(const std::vector<std::wstring>& calls, const std::wstring& call) {
  return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

class Covers : public ::testing::Test {
 protected:
  void SetUp() override { headless::Reset(); }
  headless::Machine& machine() { return headless::TheMachine(); }

  // Sets the monitors; `work` gives a work area per monitor, "" leaving it whole.
  void SetLayout(const std::vector<std::string>& layout, const std::vector<std::string>& work = {}) {
    machine().SetMonitors(layout);
    for (std::size_t i = 0; i < work.size(); ++i) {
      if (!work[i].empty()) machine().monitors[i].rcWork = ParseGeometry(work[i]);
    }
  }

  void Blank(runtime::Colour colour = runtime::kBlack) {
    machine().Run([&] { modScreens::BlankScreens(module, colour); });
  }

  modScreens::Module module;
};

TEST_F(Covers, EachOtherScreenInUseGetsACoverOverItsWholeMonitor) {
  struct Cover {
    std::size_t slot;
    const char* work;     // where it is placed: the screen's work area, in pixels
    const char* monitor;  // what it ends up covering
  };
  struct Row {
    const char* name;
    std::vector<std::string> layout;
    std::vector<std::string> work;
    std::size_t slots;
    std::vector<Cover> covers;
    int dotsPerInch = 96;               // the machine's, the primary's unless it has its own
    std::vector<int> monitorDensities = {};  // per monitor; 0 or none for the machine's
  };
  const Row rows[] = {
      {"one screen", {"1280x720+0+0"}, {}, 0, {}},
      {"two side by side",
       {"1280x720+0+0", "1024x768+1280+0"},
       {},
       1,
       {{0, "1024x768+1280+0", "1024x768+1280+0"}}},
      {"a taskbar on the covered monitor is covered too",
       {"1280x720+0+0", "1024x768+1280+0"},
       {"", "1024x728+1280+0"},
       1,
       {{0, "1024x728+1280+0", "1024x768+1280+0"}}},
      {"left of and above the primary",
       {"1280x720+0+0", "800x600-800+0", "1024x768+0-768"},
       {"1280x680+0+0", "", "984x768+40-768"},
       2,
       {{0, "800x600-800+0", "800x600-800+0"}, {1, "984x768+40-768", "1024x768+0-768"}}},
      {"three monitors in the order Wine enumerates them",
       {"1280x720+0+0", "1024x768+1280+0", "800x600-800+0"},
       {},
       2,
       {{0, "1024x768+1280+0", "1024x768+1280+0"}, {1, "800x600-800+0", "800x600-800+0"}}},
      {"the primary on the right, enumerated second",
       {"1024x768-1024+0", "1280x720+0+0"},
       {"1024x740-1024+28", ""},
       1,
       {{0, "1024x740-1024+28", "1024x768-1024+0"}}},
      {"an empty screen uses no slot",
       {"1280x720+0+0", "0x0+1280+0", "1024x768+1280+0"},
       {},
       1,
       {{0, "1024x768+1280+0", "1024x768+1280+0"}}},
      {"the primary names a screen not in use: the last screen in use goes without",
       {"1280x720+100+0", "1024x768+1380+0"},
       {},
       1,
       {{0, "1280x720+100+0", "1280x720+100+0"}}},
      {"at 125%: 12 twips a pixel",
       {"1280x720+0+0", "1024x768+1280+0"},
       {"", "1024x728+1280+40"},
       1,
       {{0, "1024x728+1280+40", "1024x768+1280+0"}},
       120},
      // Placed in the twips of the primary's density; a window put onto a monitor
      // of another density is told so, and the cover stays over its monitor.
      {"the other monitor at 200%, the primary at 100%",
       {"1280x720+0+0", "3840x2160+1280+0"},
       {"", "3840x2100+1280+60"},
       1,
       {{0, "3840x2100+1280+60", "3840x2160+1280+0"}},
       96,
       {96, 192}},
      {"the primary at 150%, the other monitors at 100% and 125%",
       {"2880x1620+0+0", "1024x768-1024+0", "1280x1024+2880+0"},
       {},
       2,
       {{0, "1024x768-1024+0", "1024x768-1024+0"}, {1, "1280x1024+2880+0", "1280x1024+2880+0"}},
       96,
       {144, 96, 120}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    module.Covers.clear();
    headless::Reset();
    machine().dotsPerInch = row.dotsPerInch;
    SetLayout(row.layout, row.work);
    for (std::size_t i = 0; i < row.monitorDensities.size(); ++i) {
      machine().monitors[i].dotsPerInch = row.monitorDensities[i];
    }
    Blank();

    ASSERT_EQ(module.Covers.size(), row.slots);
    EXPECT_EQ(machine().windows.size(), row.covers.size()) << "only covers are made";
    std::vector<bool> filled(row.slots, false);
    for (const Cover& expected : row.covers) {
      SCOPED_TRACE("slot " + std::to_string(expected.slot));
      filled.at(expected.slot) = true;
      frmBlack* cover = module.Covers.at(expected.slot).get();
      ASSERT_NE(cover, nullptr);
      const headless::Window& window = machine().windows.at(cover->hWnd());
      EXPECT_EQ(window.rect, ParseGeometry(expected.monitor));
      EXPECT_TRUE(window.visible);
      EXPECT_TRUE(window.topmost);
      EXPECT_EQ(cover->GetWindowState(), runtime::WindowState::Maximised);
      // Restored, the cover shows the rectangle it was given, in twips.
      cover->SetWindowState(runtime::WindowState::Normal);
      const PixelRect work = ParseGeometry(expected.work);
      const double tpp = 1440.0 / machine().PrimaryDotsPerInch();
      EXPECT_EQ(cover->Left(), static_cast<float>(work.left * tpp));
      EXPECT_EQ(cover->Top(), static_cast<float>(work.top * tpp));
      EXPECT_EQ(cover->Width(), static_cast<float>(work.Width() * tpp));
      EXPECT_EQ(cover->Height(), static_cast<float>(work.Height() * tpp));
    }
    for (std::size_t slot = 0; slot < row.slots; ++slot) {
      if (!filled[slot]) {
        EXPECT_EQ(module.Covers[slot], nullptr) << "slot " << slot;
      }
    }
  }
}

// How a cover comes up: wherever the runtime first makes it, it is never visible
// anywhere but over its monitor, and it is raised above other windows and made
// the active one only once shown.
TEST_F(Covers, ACoverIsShownOnlyOverItsMonitorAndThenRaised) {
  SetLayout({"1280x720+0+0", "1024x768+1280+0"});
  Blank();
  ASSERT_EQ(module.Covers.size(), 1u);
  const WindowHandle cover = module.Covers[0]->hWnd();
  const PixelRect monitor = ParseGeometry("1024x768+1280+0");
  const std::wstring prefix = L"(" + Handle(cover) + L", ";

  std::optional<std::size_t> shown, raised;
  PixelRect placed;
  const std::vector<std::wstring>& calls = machine().calls;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const std::wstring& call = calls[i];
    if (call.rfind(L"PlaceWindow" + prefix, 0) == 0) {
      ASSERT_EQ(std::swscanf(call.c_str() + std::wstring(L"PlaceWindow").size() + prefix.size(),
                             L"%d, %d, %d, %d", &placed.left, &placed.top, &placed.right, &placed.bottom),
                4)
          << call;
      if (shown) {
        EXPECT_EQ(placed, monitor) << "moved off its monitor while shown: " << call;
      }
    } else if (call == L"ShowWindow" + prefix + L"1)" && !shown) {
      shown = i;
      EXPECT_EQ(placed, monitor) << "shown before it was over its monitor";
    } else if (call.rfind(L"SetWindowPos" + prefix + L"-1, ", 0) == 0 && !raised) {
      raised = i;
    }
  }
  ASSERT_TRUE(shown.has_value()) << "never shown";
  ASSERT_TRUE(raised.has_value()) << "never made topmost";
  EXPECT_LT(*shown, *raised) << "raised before it was shown";

  const headless::Window& window = machine().windows.at(cover);
  EXPECT_EQ(window.rect, monitor);
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.topmost);
  EXPECT_EQ(machine().activeWindow, cover);
}

TEST_F(Covers, FailingStepsAreSkippedAndTheNextOnesRun) {
  SetLayout({"1280x720+0+0", "1024x768+1280+0", "800x600-800+0"});
  machine().Fail(L"SetForegroundWindow");
  machine().Fail(L"SetActiveWindow", 1);
  Blank();
  ASSERT_EQ(module.Covers.size(), 2u);
  for (const auto& cover : module.Covers) {
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(machine().windows.at(cover->hWnd()).visible);
    EXPECT_TRUE(machine().windows.at(cover->hWnd()).topmost);
  }
  EXPECT_EQ(machine().activeWindow, module.Covers[1]->hWnd());
}

TEST_F(Covers, NoCountMeansNoCover) {
  // The monitor count overflowing 16 bits: the list is never sized.
  machine().monitors.assign(32767, headless::Monitor{{0, 0, 1, 1}, {0, 0, 1, 1}});
  Blank();
  EXPECT_TRUE(module.Covers.empty());
  EXPECT_TRUE(machine().windows.empty());
}

TEST_F(Covers, CoverIsAPlainWindowOfTheGivenColourThatIgnoresInput) {
  SetLayout({"1280x720+0+0", "640x480+1280+0"});
  const runtime::Colour colour = 0x00336699u;
  Blank(colour);
  ASSERT_EQ(module.Covers.size(), 1u);
  frmBlack& cover = *module.Covers[0];
  const headless::Window& window = machine().windows.at(cover.hWnd());
  EXPECT_FALSE(window.design.inTaskbar);
  EXPECT_TRUE(window.design.blankPointer);
  EXPECT_EQ(cover.BackColor(), colour);
  const gfx::Bitmap& frame = cover.Frame();
  ASSERT_EQ(frame.Width(), 640);
  ASSERT_EQ(frame.Height(), 480);
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      ASSERT_EQ(frame.At(x, y), gfx::PixelFromColour(colour)) << x << "," << y;
    }
  }
  machine().Type(cover.hWnd(), L'a');
  EXPECT_FALSE(machine().ended);
}

TEST(CoversInTheSaver, CoversAreShownBeforeTheSaverWhichFillsThePrimary) {
  struct Row {
    const char* name;
    std::vector<std::string> layout;
    PixelRect primary, other;
  };
  const Row rows[] = {
      {"primary first", {"1280x720+0+0", "1024x768+1280+0"}, {0, 0, 1280, 720}, {1280, 0, 2304, 768}},
      {"primary second, on the right", {"1024x768-1024+0", "1280x720+0+0"}, {0, 0, 1280, 720}, {-1024, 0, 0, 768}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HeadlessProgram program;
    program.machine().SetMonitors(row.layout);
    program.Start(L"/s");
    ASSERT_FALSE(program.machine().ended);
    const std::vector<std::unique_ptr<frmBlack>>& covers = program.project().Screens().Covers;
    ASSERT_EQ(covers.size(), 1u);
    const WindowHandle saver = program.saver().hWnd();
    const WindowHandle cover = covers[0]->hWnd();
    const std::vector<std::wstring>& calls = program.machine().calls;
    EXPECT_LT(IndexOf(calls, L"ShowWindow(" + Handle(cover) + L", 1)"),
              IndexOf(calls, L"ShowWindow(" + Handle(saver) + L", 1)"));
    EXPECT_EQ(program.machine().windows.at(saver).rect, row.primary);
    EXPECT_EQ(program.machine().windows.at(cover).rect, row.other);
    EXPECT_EQ(program.machine().windows.size(), 2u) << "the saver and one cover, nothing else";
  }
}

TEST(CoversInTheSaver, MouseOverACoverEndsTheRunAndEveryWindowCloses) {
  HeadlessProgram program;
  program.machine().SetMonitors({"1280x720+0+0", "1024x768+1280+0", "800x600-800+0"});
  program.machine().cursor = {640, 360};
  program.Start(L"/s");
  program.machine().Advance(10);  // the first watch takes the cursor's place
  program.machine().Advance(20);
  ASSERT_FALSE(program.machine().ended);
  program.machine().cursor = {1700, 400};  // over the right monitor's cover
  program.machine().Advance(10);
  EXPECT_TRUE(program.machine().ended);
  ASSERT_EQ(program.machine().windows.size(), 3u);
  for (const auto& entry : program.machine().windows) EXPECT_TRUE(entry.second.destroyed) << entry.first;
}

}  // namespace
