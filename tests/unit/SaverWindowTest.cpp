// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "HeadlessProgram.h"

namespace {

using runtime::WindowHandle;

// The saver's own calls during start-up: its window, z-order, placement,
// visibility, timers and the seeding of the generator.
std::vector<std::wstring> SaverCalls(const headless::Machine& machine, WindowHandle saver) {
  const std::wstring handle = std::to_wstring(saver);
  std::vector<std::wstring> kept;
  for (const std::wstring& call : machine.calls) {
    const bool aboutSaver = call.find(L"(" + handle) != std::wstring::npos;
    const bool seeding = call == L"SecondsSinceMidnight()";
    if (aboutSaver || seeding || call == L"RunEventLoop()") kept.push_back(call);
  }
  return kept;
}

class SaverWindow : public ::testing::Test {
 protected:
  void StartSaver() {
    program.Start(L"/s");
    handle = program.saver().hWnd();
  }
  void Tick() { program.machine().Advance(10); }

  HeadlessProgram program;
  WindowHandle handle = 0;
};

TEST_F(SaverWindow, LoadRunsItsStepsInOrder) {
  StartSaver();
  const std::vector<std::wstring> expected = {
      L"SecondsSinceMidnight()",               // the start-up's seed
      L"PlaceWindow(101, 0, 0, 1280, 720)",    // made maximised, by design
      L"SetWindowPos(101, -1, 0, 0, 0, 0, 3)",  // topmost, keeping place and size
      L"PlaceWindow(101, 0, 0, 1280, 720)",    // maximised once more
      L"ShowWindow(101, 1)",                   // visible
      L"SecondsSinceMidnight()",               // seeded again
      L"StartTimer(101, 1, 10)",               // the watch timer; the animation waits
      L"ShowWindow(101, 1)",                   // the modal show of the loaded window
      L"RunEventLoop()",
  };
  EXPECT_EQ(SaverCalls(program.machine(), handle), expected);
  EXPECT_TRUE(program.machine().windows.at(handle).topmost);
  EXPECT_EQ(program.machine().windows.at(handle).rect, (runtime::PixelRect{0, 0, 1280, 720}));
  EXPECT_FALSE(program.saver().Timer2.Enabled());
}

TEST_F(SaverWindow, ExecutableNamedPrjIsNotMadeTopmost) {
  struct Row {
    const wchar_t* module;
    bool topmost;
  };
  const Row rows[] = {
      {L"C:\\WINDOWS\\Quillon_Solutions_Frostlane_1.scr", true},
      {L"C:\\work\\prjtest.scr", false},
      {L"C:\\work\\PRJTEST.SCR", false},
      {L"C:\\work\\Prj.scr", false},
      {L"C:\\prj\\pr.scr", true},
  };
  for (const Row& row : rows) {
    HeadlessProgram run;
    run.machine().modulePath = row.module;
    run.Start(L"/s");
    EXPECT_EQ(run.machine().CallsNamed(L"SetWindowPos").size(), row.topmost ? 1u : 0u) << row.module;
    EXPECT_TRUE(run.saver().Visible()) << row.module;
    EXPECT_TRUE(run.saver().Timer1.Enabled()) << row.module;
  }
}

TEST_F(SaverWindow, FirstTickTakesTheReferenceAndStartsTheAnimation) {
  program.machine().cursor = {300, 200};
  StartSaver();
  program.machine().cursor = {310, 205};  // moved before the first tick: not seen
  Tick();
  EXPECT_TRUE(program.saver().Timer2.Enabled());
  EXPECT_EQ(program.machine().CallsNamed(L"StartTimer").back(), L"StartTimer(101, 2, 10)");
  for (int i = 0; i < 50; ++i) Tick();
  EXPECT_FALSE(program.machine().ended);
}

TEST_F(SaverWindow, AnyCursorMovementEndsTheRunAtTheNextTick) {
  const runtime::Point moves[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {-900, 40}};
  for (const runtime::Point move : moves) {
    HeadlessProgram run;
    run.machine().cursor = {640, 360};
    run.Start(L"/s");
    run.machine().Advance(10);
    run.machine().cursor = {640 + move.X, 360 + move.Y};
    EXPECT_FALSE(run.machine().ended);
    run.machine().Advance(10);
    EXPECT_TRUE(run.machine().ended) << move.X << "," << move.Y;
  }
}

TEST_F(SaverWindow, FailedCursorQueriesReadAsOrigin) {
  struct Row {
    bool firstFails;
    bool laterFails;
    runtime::Point cursor;
    bool ends;
  };
  const Row rows[] = {
      {true, false, {0, 0}, false},   // reference 0,0 and the cursor there
      {true, false, {5, 5}, true},    // reference 0,0 but the cursor elsewhere
      {false, true, {0, 0}, false},   // later sample reads 0,0 like the reference
      {false, true, {5, 5}, true},    // later sample reads 0,0, reference 5,5
  };
  for (const Row& row : rows) {
    HeadlessProgram run;
    run.machine().cursor = row.cursor;
    run.Start(L"/s");
    if (row.firstFails) run.machine().Fail(L"GetCursorPos", 1);
    run.machine().Advance(10);
    if (row.laterFails) run.machine().Fail(L"GetCursorPos", 1);
    run.machine().Advance(10);
    EXPECT_EQ(run.machine().ended, row.ends)
        << "first fails " << row.firstFails << ", later fails " << row.laterFails;
  }
}

TEST_F(SaverWindow, ActivationIsReclaimedOnlyFromAnotherWindow) {
  StartSaver();
  program.machine().activeWindow = 4242;
  Tick();
  std::vector<std::wstring> expected = {L"SetActiveWindow(101)"};
  EXPECT_EQ(program.machine().CallsNamed(L"SetActiveWindow"), expected);
  EXPECT_EQ(program.machine().CallsNamed(L"SetForegroundWindow"), std::vector<std::wstring>{L"SetForegroundWindow(101)"});
  // Now active: further ticks leave it alone.
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(program.machine().CallsNamed(L"SetActiveWindow"), expected);
  // Taken away again: the next tick takes it back, active first, then foreground.
  program.machine().activeWindow = 0;
  const std::size_t before = program.machine().calls.size();
  Tick();
  const std::vector<std::wstring> tail(program.machine().calls.begin() + static_cast<std::ptrdiff_t>(before),
                                       program.machine().calls.end());
  const auto active = std::find(tail.begin(), tail.end(), L"SetActiveWindow(101)");
  const auto foreground = std::find(tail.begin(), tail.end(), L"SetForegroundWindow(101)");
  EXPECT_TRUE(active != tail.end() && foreground != tail.end() && active < foreground);
}

TEST_F(SaverWindow, EveryCloseAndEveryCharacterEndsTheProgram) {
  const auto pressKey = [](HeadlessProgram& run, WindowHandle window) { run.machine().Type(window, L'a'); };
  const auto pressEscape = [](HeadlessProgram& run, WindowHandle window) { run.machine().Type(window, L'\x1b'); };
  const auto askToClose = [](HeadlessProgram& run, WindowHandle window) { run.machine().RequestClose(window); };
  for (const auto& exit : {std::function<void(HeadlessProgram&, WindowHandle)>(pressKey), {pressEscape}, {askToClose}}) {
    HeadlessProgram run;
    run.Start(L"/s");
    run.machine().Advance(30);
    exit(run, run.saver().hWnd());
    EXPECT_TRUE(run.machine().ended);
    // Nothing runs after the end: the timers are gone.
    const std::size_t calls = run.machine().calls.size();
    run.machine().Advance(100);
    EXPECT_EQ(run.machine().calls.size(), calls);
  }
}

TEST_F(SaverWindow, AStillCursorNeverEndsTheRun) {
  StartSaver();
  for (int i = 0; i < 500; ++i) Tick();
  EXPECT_FALSE(program.machine().ended);
}

TEST_F(SaverWindow, RestsWhileTheDisplaysAreOffYetEndsOnAMoveWithinAQuarterSecond) {
  using backend::DisplayPower;
  for (const bool offAtStart : {false, true}) {
    HeadlessProgram run;
    headless::Machine& machine = run.machine();
    if (offAtStart) machine.SetDisplayPower(DisplayPower::Off);
    run.Start(L"/s");
    machine.Advance(30);
    EXPECT_EQ(run.saver().Timer2.Enabled(), !offAtStart);  // no watch tick yet when resting from the start
    machine.SetDisplayPower(DisplayPower::Off);
    headless::Window& window = machine.windows.at(run.saver().hWnd());
    const int asks = window.presentAsks;
    const float left = run.saver().Picture1(1).Left();
    const std::size_t watches = machine.CallsNamed(L"GetCursorPos").size();
    machine.SetMonitors({"1920x1080+0+0"});  // a change while off is presented once back on
    machine.DisplaysChanged();
    machine.Advance(1000);
    EXPECT_EQ(machine.CallsNamed(L"GetCursorPos").size() - watches, 4u) << offAtStart;
    EXPECT_EQ(run.saver().Picture1(1).Left(), left) << offAtStart;
    EXPECT_EQ(window.presentAsks, asks) << offAtStart;
    machine.SetDisplayPower(DisplayPower::On);
    machine.SetDisplayPower(DisplayPower::On);  // told twice: nothing new
    EXPECT_EQ(window.presentAsks, asks + 1);
    EXPECT_EQ(window.lastPresentAsk, std::make_pair(0, 1080));  // the whole frame
    run.saver().Frame();  // composed, as presenting it does
    machine.Advance(10);  // back to its own pace at once, going on from where it stood
    EXPECT_EQ(run.saver().Picture1(1).Left(), left - 10) << offAtStart;
    machine.Advance(40);  // a whole pixel or more: the moved rows are asked for
    EXPECT_GT(window.presentAsks, asks + 1) << offAtStart;
    machine.SetDisplayPower(DisplayPower::Off);
    machine.cursor.X += 1;
    machine.Advance(250);
    EXPECT_TRUE(machine.ended) << offAtStart;
  }
}

TEST_F(SaverWindow, RestsStandsStillOrPresentsLessAsItsSessionAndItsUserAsk) {
  using C = backend::SessionChange;
  enum Pace { kDraws, kRemote, kStill, kRests, kEnds };  // drawing: a watch every 10 ms (33 remote), the bands sliding
  struct Event {
    std::optional<C> change;    // none: the animation setting is turned the other way
    unsigned long session = 1;  // the machine's own
  };
  struct Row {
    const char* name;
    std::vector<Event> events;  // all from the console
    Pace pace;
    const wchar_t* failing = nullptr;
    bool inUse = true, animations = true, remote = false;
    std::optional<unsigned long> glass = std::nullopt;  // the session with the machine's graphics
  };
  const Row rows[] = {
      {"disconnected", {{C::Disconnected}}, kRests},
      {"disconnected, then connected again", {{C::Disconnected}, {C::Connected}}, kDraws},
      {"locked", {{C::Locked}}, kEnds},
      {"another session disconnected and locked", {{C::Disconnected, 2}, {C::Locked, 2}}, kDraws},
      {"its own id unknown: every event is its own", {{C::Disconnected, 2}}, kRests, L"ProcessSessionId"},
      {"locked while disconnected: nobody sees the lock yet", {{C::Disconnected}, {C::Locked}}, kRests},
      {"connected while locked", {{C::Disconnected}, {C::Locked}, {C::Connected}}, kEnds},
      {"unlocked, then connected", {{C::Disconnected}, {C::Locked}, {C::Unlocked}, {C::Connected}}, kDraws},
      // Each state follows the last event of its kind, whatever came between.
      {"an unlock, then the lock", {{C::Disconnected}, {C::Unlocked}, {C::Locked}, {C::Connected}}, kEnds},
      {"a connect, then the disconnect", {{C::Unlocked}, {C::Connected}, {C::Disconnected}}, kRests},
      {"not in use at the start", {}, kRests, nullptr, false},
      {"not in use, as far as the failed query says", {}, kDraws, L"SessionConnectState", false},
      {"animations off", {}, kStill, nullptr, true, false},
      {"animations turned off while it runs", {{}}, kStill},
      {"animations turned on while it stands", {{}}, kDraws, nullptr, true, false},
      {"remote, as the system says", {}, kRemote, nullptr, true, true, true},
      {"remote, then connected at the console", {{C::Disconnected}, {C::Connected}}, kDraws, nullptr, true, true, true},
      {"the graphics in another session", {}, kRemote, nullptr, true, true, false, 0},
      {"the graphics in its own session", {}, kDraws, nullptr, true, true, false, 1},
      {"the graphics elsewhere, its own id unknown", {}, kDraws, L"ProcessSessionId", true, true, false, 0},
  };
  for (const Row& row : rows) {
    HeadlessProgram run;
    headless::Machine& machine = run.machine();
    machine.sessionActive = row.inUse;
    machine.clientAreaAnimation = row.animations;
    machine.remoteSession = row.remote;
    machine.glassSessionId = row.glass;
    if (row.failing != nullptr) machine.Fail(row.failing);
    run.Start(L"/s");
    machine.Advance(300);  // a first watch tick even at rest
    machine.remoteSession = false;
    for (const Event& event : row.events) {
      if (!event.change) machine.clientAreaAnimation = !machine.clientAreaAnimation;
      event.change ? machine.ChangeSession(*event.change, event.session) : machine.SettingsChanged();
    }
    EXPECT_EQ(machine.ended, row.pace == kEnds) << row.name;
    if (row.pace == kEnds) continue;
    const std::vector<std::wstring> limits = machine.CallsNamed(L"LimitPresents");  // frames a second, as last told
    const wchar_t* expected = row.pace == kRests ? L"0)" : row.pace == kRemote ? L"30)" : L"1073741824)";
    EXPECT_EQ(limits.empty() ? L"LimitPresents(101, 1073741824)" : limits.back(),
              L"LimitPresents(101, " + std::wstring(expected)) << row.name;
    const std::size_t watches = machine.CallsNamed(L"GetCursorPos").size();
    const float left = run.saver().Picture1(1).Left();
    machine.Advance(1000);
    const double perSecond = row.pace == kDraws ? 100 : row.pace == kRemote ? 1000.0 / 33 : 4;
    EXPECT_NEAR(static_cast<double>(machine.CallsNamed(L"GetCursorPos").size() - watches), perSecond, 1) << row.name;
    EXPECT_EQ(left - run.saver().Picture1(1).Left(), row.pace <= kRemote ? 1000.0f : 0.0f) << row.name;
  }
}

TEST_F(SaverWindow, FailingStepsOfTheLoadAreSkipped) {
  // Topmost refused and the first timer start refused: the window is still shown.
  program.machine().Fail(L"SetWindowPos");
  program.machine().Fail(L"StartTimer", 1);
  StartSaver();
  EXPECT_TRUE(program.machine().windows.at(handle).visible);
  EXPECT_FALSE(program.saver().Timer1.Enabled());
  EXPECT_FALSE(program.machine().ended);
}

}  // namespace
