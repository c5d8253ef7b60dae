// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The monitor inventory against monitor layouts written one per row as "WxH+X+Y",
// in the platform's enumeration order; the primary monitor lies at 0,0.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "monitors/clsScreens.h"
#include "startup/runtime/headless/Machine.h"

namespace {

struct Geometry {
  bool enabled;
  std::int32_t left, top, width, height;
};

std::string Describe(const std::optional<std::int16_t>& value) {
  return value ? std::to_string(*value) : std::string("overflow");
}

TEST(Screens, InventoryOfEachLayout) {
  struct Row {
    const char* name;
    std::vector<std::string> layout;
    std::int16_t countAll, countInUse, primary;
    // One entry per screen number 1 .. countAll.
    std::vector<Geometry> screens;
  };
  const Row rows[] = {
      {"one monitor", {"1280x720+0+0"}, 2, 1, 1, {{true, 0, 0, 1280, 720}, {false, 0, 0, 0, 0}}},
      {"two side by side",
       {"1280x720+0+0", "1024x768+1280+0"},
       3, 2, 1,
       {{true, 0, 0, 1280, 720}, {true, 1280, 0, 1024, 768}, {false, 0, 0, 0, 0}}},
      {"left of and above the primary",
       {"1280x720+0+0", "800x600-800+0", "1024x768+0-768"},
       4, 3, 1,
       {{true, 0, 0, 1280, 720}, {true, -800, 0, 800, 600}, {true, 0, -768, 1024, 768}, {false, 0, 0, 0, 0}}},
      {"primary enumerated second",
       {"1024x768-1024+0", "1280x720+0+0"},
       3, 2, 2,
       {{true, -1024, 0, 1024, 768}, {true, 0, 0, 1280, 720}, {false, 0, 0, 0, 0}}},
      {"width 0, height not",
       {"1280x720+0+0", "0x600+1280+0"},
       3, 2, 1,
       {{true, 0, 0, 1280, 720}, {true, 1280, 0, 0, 600}, {false, 0, 0, 0, 0}}},
      {"width and height 0",
       {"1280x720+0+0", "0x0+1280+0"},
       3, 1, 1,
       {{true, 0, 0, 1280, 720}, {false, 1280, 0, 0, 0}, {false, 0, 0, 0, 0}}},
      {"no monitor at 0,0: the empty last screen is named",
       {"1280x720+100+0", "1024x768+1380+0"},
       3, 2, 3,
       {{true, 100, 0, 1280, 720}, {true, 1380, 0, 1024, 768}, {false, 0, 0, 0, 0}}},
      {"no monitor at all", {}, 1, 0, 1, {{false, 0, 0, 0, 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    headless::Reset();
    headless::TheMachine().SetMonitors(row.layout);
    const clsScreens screens;
    EXPECT_EQ(Describe(screens.Count(false)), std::to_string(row.countAll));
    EXPECT_EQ(Describe(screens.Count(true)), std::to_string(row.countInUse));
    EXPECT_EQ(Describe(screens.PrimaryMon()), std::to_string(row.primary));
    ASSERT_EQ(row.screens.size(), static_cast<std::size_t>(row.countAll));
    for (std::int16_t n = 1; n <= row.countAll; ++n) {
      SCOPED_TRACE("screen " + std::to_string(n));
      const Geometry& expected = row.screens[static_cast<std::size_t>(n) - 1];
      EXPECT_EQ(screens.Enabled(n), std::optional<bool>(expected.enabled));
      EXPECT_EQ(screens.Left(n), expected.left);
      EXPECT_EQ(screens.Top(n), expected.top);
      EXPECT_EQ(screens.Width(n), std::optional<std::int32_t>(expected.width));
      EXPECT_EQ(screens.Height(n), std::optional<std::int32_t>(expected.height));
    }
  }
}

TEST(Screens, WorkAreaIsReadFromTheWorkRectangle) {
  headless::Reset();
  headless::Machine& machine = headless::TheMachine();
  machine.SetMonitors({"1280x720+0+0", "1024x768-1024-100"});
  machine.monitors[1].rcWork = headless::ParseGeometry("1024x728-1024-60");  // a taskbar along the top
  const clsScreens screens;
  EXPECT_EQ(screens.WorkLeft(2), -1024);
  EXPECT_EQ(screens.WorkTop(2), -60);
  EXPECT_EQ(screens.WorkWidth(2), std::optional<std::int32_t>(1024));
  EXPECT_EQ(screens.WorkHeight(2), std::optional<std::int32_t>(728));
  EXPECT_EQ(screens.Top(2), -100);
  EXPECT_EQ(screens.Height(2), std::optional<std::int32_t>(768));
  // The screen past the last monitor has no work area either.
  EXPECT_EQ(screens.WorkLeft(3), 0);
  EXPECT_EQ(screens.WorkWidth(3), std::optional<std::int32_t>(0));
}

TEST(Screens, EachPropertyAsksAfreshWithAPlainZeroedRecord) {
  struct Row {
    const char* name;
    std::function<void(const clsScreens&)> ask;
    std::vector<std::wstring> calls;
  };
  const Row rows[] = {
      {"Width", [](const clsScreens& s) { s.Width(2); }, {L"GetMonitorInfo(2, 40)"}},
      {"WorkTop", [](const clsScreens& s) { s.WorkTop(1); }, {L"GetMonitorInfo(1, 40)"}},
      {"Enabled asks width, then height", [](const clsScreens& s) { s.Enabled(3); },
       {L"GetMonitorInfo(3, 40)", L"GetMonitorInfo(3, 40)"}},
      {"Count(False)", [](const clsScreens& s) { s.Count(false); }, {L"GetSystemMetrics(80)"}},
      {"Count(True) asks every screen twice", [](const clsScreens& s) { s.Count(true); },
       {L"GetSystemMetrics(80)", L"GetMonitorInfo(1, 40)", L"GetMonitorInfo(1, 40)", L"GetMonitorInfo(2, 40)",
        L"GetMonitorInfo(2, 40)", L"GetMonitorInfo(3, 40)", L"GetMonitorInfo(3, 40)"}},
      {"PrimaryMon stops at the first screen at 0,0", [](const clsScreens& s) { s.PrimaryMon(); },
       {L"GetSystemMetrics(80)", L"GetMonitorInfo(1, 40)", L"GetMonitorInfo(1, 40)", L"GetMonitorInfo(2, 40)",
        L"GetMonitorInfo(2, 40)"}},
      {"AllSameColourDepth", [](const clsScreens& s) { s.AllSameColourDepth(); }, {L"GetSystemMetrics(81)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    headless::Reset();
    headless::TheMachine().SetMonitors({"800x600-800+0", "1280x720+0+0"});
    row.ask(clsScreens());
    EXPECT_EQ(headless::TheMachine().calls, row.calls);
  }
}

TEST(Screens, FailedQueriesReadAsZero) {
  headless::Reset();
  headless::Machine& machine = headless::TheMachine();
  machine.SetMonitors({"1024x768-1024+0", "1280x720+0+0"});
  const clsScreens screens;

  // One failure: only that query reads empty, the next one reads the monitor again.
  machine.Fail(L"GetMonitorInfo", 1);
  EXPECT_EQ(screens.Left(1), 0);
  EXPECT_EQ(screens.Left(1), -1024);

  // Every query failing: no screen is in use and the first one is taken for primary.
  machine.Fail(L"GetMonitorInfo");
  EXPECT_EQ(screens.Count(true), std::optional<std::int16_t>(0));
  EXPECT_EQ(screens.Enabled(2), std::optional<bool>(false));
  EXPECT_EQ(screens.PrimaryMon(), std::optional<std::int16_t>(1));

  // The monitor count failing: one screen, designating the first monitor.
  machine.Fail(L"GetMonitorInfo", 0);
  machine.Fail(L"GetSystemMetrics");
  EXPECT_EQ(screens.Count(false), std::optional<std::int16_t>(1));
  EXPECT_EQ(screens.Count(true), std::optional<std::int16_t>(1));
  EXPECT_EQ(screens.PrimaryMon(), std::optional<std::int16_t>(0));
  EXPECT_FALSE(screens.AllSameColourDepth());
}

TEST(Screens, AllSameColourDepthFollowsThePlatform) {
  for (bool same : {true, false}) {
    headless::Reset();
    headless::TheMachine().sameDisplayFormat = same;
    EXPECT_EQ(clsScreens().AllSameColourDepth(), same);
  }
}

TEST(Screens, OverflowRaisesOutOfTheProperty) {
  const std::optional<std::int16_t> raised;
  struct Row {
    const char* name;
    std::size_t monitors;
    std::optional<std::int16_t> countAll, countInUse, primary;
  };
  const Row rows[] = {
      // 32767 screens fit, but the loop counter of Count(True) steps past 32767.
      {"32766 monitors", 32766, 32767, raised, 1},
      {"32767 monitors", 32767, raised, raised, raised},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    headless::Reset();
    headless::Machine& machine = headless::TheMachine();
    machine.monitors.assign(row.monitors, headless::Monitor{{0, 0, 1, 1}, {0, 0, 1, 1}});
    const clsScreens screens;
    EXPECT_EQ(Describe(screens.Count(false)), Describe(row.countAll));
    EXPECT_EQ(Describe(screens.Count(true)), Describe(row.countInUse));
    EXPECT_EQ(Describe(screens.PrimaryMon()), Describe(row.primary));
  }
}

TEST(Screens, ExtentsBeyond32BitsRaise) {
  headless::Reset();
  headless::Machine& machine = headless::TheMachine();
  machine.SetMonitors({"1280x720+0+0", "1x1+0+0"});
  machine.monitors[1].rcMonitor = runtime::PixelRect{INT_MIN, -5, INT_MAX, INT_MAX};
  machine.monitors[1].rcWork = runtime::PixelRect{-2, INT_MIN, 2, 0};
  const clsScreens screens;
  EXPECT_EQ(screens.Width(2), std::nullopt);
  EXPECT_EQ(screens.Height(2), std::nullopt);
  EXPECT_EQ(screens.Left(2), INT_MIN);
  EXPECT_EQ(screens.WorkWidth(2), std::optional<std::int32_t>(4));
  EXPECT_EQ(screens.WorkHeight(2), std::nullopt);
  EXPECT_EQ(screens.Enabled(2), std::nullopt);
  EXPECT_EQ(screens.Count(true), std::nullopt);
  EXPECT_EQ(screens.PrimaryMon(), std::optional<std::int16_t>(1));
}

}  // namespace
