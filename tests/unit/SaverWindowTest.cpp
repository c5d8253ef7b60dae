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

TEST_F(SaverWindow, AFailedCursorQueryIsNoMovement) {
  // Three watch ticks; the cursor at 5,5 moves by a pixel after the first.
  struct Row {
    bool firstFails;
    bool secondFails;
    bool moves;
    int endsAtTick;  // 0: runs on
  };
  const Row rows[] = {
      {true, false, false, 0},   // no reference from a failed query: the next one gives it
      {true, false, true, 0},    // a move before the first reading that succeeds is not seen
      {false, true, false, 0},   // a failed query after the reference
      {false, true, true, 3},    // the cursor elsewhere once it can be read again
  };
  for (const Row& row : rows) {
    HeadlessProgram run;
    run.machine().cursor = {5, 5};
    run.Start(L"/s");
    int endedAt = 0;
    for (int tick = 1; tick <= 3 && endedAt == 0; ++tick) {
      if ((tick == 1 && row.firstFails) || (tick == 2 && row.secondFails)) run.machine().Fail(L"GetCursorPos", 1);
      run.machine().Advance(10);
      if (run.machine().ended) endedAt = tick;
      if (tick == 1 && row.moves) run.machine().cursor.X += 1;
    }
    EXPECT_EQ(endedAt, row.endsAtTick) << row.firstFails << row.secondFails << row.moves;
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
    const int frames = window.framesPresented;
    const float left = run.saver().Picture1(1).Left();
    const std::size_t watches = machine.CallsNamed(L"GetCursorPos").size();
    machine.SetMonitors({"1920x1080+0+0"});  // a change while off is presented once back on
    machine.DisplaysChanged();
    machine.Advance(1000);
    EXPECT_EQ(machine.CallsNamed(L"GetCursorPos").size() - watches, 4u) << offAtStart;
    EXPECT_EQ(run.saver().Picture1(1).Left(), left) << offAtStart;
    EXPECT_EQ(window.framesPresented, frames) << offAtStart;  // held, not one frame shown
    machine.SetDisplayPower(DisplayPower::On);
    machine.SetDisplayPower(DisplayPower::On);  // told twice: nothing new
    machine.Advance(10);  // back to its own pace at once, going on from where it stood
    EXPECT_EQ(run.saver().Picture1(1).Left(), left - 10) << offAtStart;
    EXPECT_EQ(window.framesPresented, frames + 1) << offAtStart;
    EXPECT_EQ(window.lastPresented.first, 0) << offAtStart;  // the whole frame
    EXPECT_EQ(window.lastPresented.end, 1080) << offAtStart;
    machine.Advance(40);  // a whole pixel or more, a refresh later: the moved rows are shown
    EXPECT_GT(window.framesPresented, frames + 1) << offAtStart;
    machine.SetDisplayPower(DisplayPower::Off);
    machine.cursor.X += 1;
    machine.Advance(250);
    EXPECT_TRUE(machine.ended) << offAtStart;
  }
}

TEST_F(SaverWindow, RestsStandsStillOrPresentsLessAsItsSessionAndItsUserAsk) {
  using C = backend::SessionChange;
  enum Pace { kDraws, kRemote, kStill, kRests, kEnds };  // drawing: a watch every 10 ms (20 remote), the bands sliding
  // When the screen shows the lock screen's desktop instead of the saver's.
  enum LockScreen { kNever, kFromTheFirstEvent, kAWatchAfterTheEvents };
  struct Event {
    std::optional<C> change;    // none: the animation setting is turned the other way
    unsigned long session = 1;  // the machine's own
  };
  struct Row {
    const char* name;
    std::vector<Event> events;  // all from the console
    Pace pace;
    LockScreen lockScreen = kNever;
    const wchar_t* failing = nullptr;
    bool connected = true, animations = true, remote = false;
    std::optional<unsigned long> glass = std::nullopt;  // the session with the machine's graphics
  };
  const Row rows[] = {
      {"disconnected", {{C::Disconnected}}, kRests},
      {"disconnected, then connected again", {{C::Disconnected}, {C::Connected}}, kDraws},
      {"locked, its own desktop still on the screen", {{C::Locked}}, kDraws},
      {"locked, the lock screen on the screen", {{C::Locked}}, kEnds, kFromTheFirstEvent},
      {"locked, the lock screen a watch later", {{C::Locked}}, kEnds, kAWatchAfterTheEvents},
      {"unlocked after a lock it stood in front of", {{C::Locked}, {C::Unlocked}}, kEnds},
      {"another session disconnected and locked", {{C::Disconnected, 2}, {C::Locked, 2}}, kDraws, kFromTheFirstEvent},
      {"its own id unknown: every event is its own", {{C::Disconnected, 2}}, kRests, kNever, L"ProcessSessionId"},
      {"locked while disconnected: nobody sees the lock yet", {{C::Disconnected}, {C::Locked}}, kRests,
       kFromTheFirstEvent},
      {"connected while the lock screen is on", {{C::Disconnected}, {C::Locked}, {C::Connected}}, kEnds,
       kFromTheFirstEvent},
      {"unlocked, then connected", {{C::Disconnected}, {C::Locked}, {C::Unlocked}, {C::Connected}}, kDraws},
      {"disconnected at the start", {}, kRests, kNever, nullptr, false},
      {"not known at the start", {}, kDraws, kNever, L"SessionConnectState", false},
      {"animations off", {}, kStill, kNever, nullptr, true, false},
      {"animations turned off while it runs", {{}}, kStill},
      {"remote, as the system says", {}, kRemote, kNever, nullptr, true, true, true},
      {"remote, then connected at the console", {{C::Disconnected}, {C::Connected}}, kDraws, kNever, nullptr, true,
       true, true},
      {"the graphics in another session", {}, kRemote, kNever, nullptr, true, true, false, 0},
      {"the graphics elsewhere, its own id unknown", {}, kDraws, kNever, L"ProcessSessionId", true, true, false, 0},
  };
  for (const Row& row : rows) {
    HeadlessProgram run;
    headless::Machine& machine = run.machine();
    machine.sessionConnected = row.connected;
    machine.clientAreaAnimation = row.animations;
    machine.remoteSession = row.remote;
    machine.glassSessionId = row.glass;
    if (row.failing != nullptr) machine.Fail(row.failing);
    run.Start(L"/s");
    machine.Advance(300);  // a first watch tick even at rest
    machine.remoteSession = false;
    machine.ownDesktopShown = row.lockScreen != kFromTheFirstEvent;
    for (const Event& event : row.events) {
      if (!event.change) machine.clientAreaAnimation = !machine.clientAreaAnimation;
      event.change ? machine.ChangeSession(*event.change, event.session) : machine.SettingsChanged();
    }
    if (row.lockScreen == kAWatchAfterTheEvents) {
      machine.ownDesktopShown = false;
      machine.Advance(10);
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
    const double perSecond = row.pace == kDraws ? 100 : row.pace == kRemote ? 50 : 4;
    EXPECT_NEAR(static_cast<double>(machine.CallsNamed(L"GetCursorPos").size() - watches), perSecond, 1) << row.name;
    // Remote, two steps every 20 ms: as fast as at the console, give or take a wake.
    EXPECT_NEAR(left - run.saver().Picture1(1).Left(), row.pace <= kRemote ? 1000.0f : 0.0f, 20.0f) << row.name;
  }
}

TEST_F(SaverWindow, AWatchThatCannotTakeItsNewPaceKeepsItsOldOneUntilItCan) {
  // The displays come on while every timer start fails: once, or from then on.
  for (const int failures : {1, -1}) {
    HeadlessProgram run;
    headless::Machine& machine = run.machine();
    run.Start(L"/s");
    machine.Advance(30);
    const std::size_t starts = machine.CallsNamed(L"StartTimer").size();
    EXPECT_TRUE(run.saver().Timer1.SetEnabled(true));  // running at its pace: left as it is
    EXPECT_EQ(machine.CallsNamed(L"StartTimer").size(), starts);
    machine.SetDisplayPower(backend::DisplayPower::Off);
    machine.Advance(500);
    machine.Fail(L"StartTimer", failures);
    machine.SetDisplayPower(backend::DisplayPower::On);
    const std::size_t watches = machine.CallsNamed(L"GetCursorPos").size();
    machine.Advance(1000);
    // Once refused, it takes its pace on the next tick; refused for good, it
    // watches on at its resting pace.
    EXPECT_NEAR(static_cast<double>(machine.CallsNamed(L"GetCursorPos").size() - watches), failures > 0 ? 99 : 4, 2)
        << failures;
    machine.cursor.X += 1;
    machine.Advance(250);
    EXPECT_TRUE(machine.ended) << failures;
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
