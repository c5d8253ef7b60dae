// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Form windows as the Win32 machine makes them, driven with messages: what the
// window procedure passes on to Windows, what it keeps from the forms, and what
// a window is given when it is made.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "Win32Fixtures.h"
#include "startup/runtime/Timer.h"

#include <imm.h>
#include <versionhelpers.h>
#include "resource.h"
#include "startup/runtime/win32/NativeWindow.h"

namespace {

// The system commands that reached DefWindowProc: Windows reports each to a CBT
// hook before carrying it out. The hook then stops it, so none takes effect.
std::vector<WPARAM> commandsCarriedOut;

LRESULT CALLBACK NoteSystemCommand(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SYSCOMMAND) {
    commandsCarriedOut.push_back(wParam);
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(FormWindow, RefusesTheSystemsSaverAndPassesOnEveryOtherSystemCommand) {
  struct Row {
    const char* name;
    WPARAM command;
    LPARAM argument;
    bool carriedOut;
  };
  const Row rows[] = {
      {"the idle timer's saver", SC_SCREENSAVE, 0, false},
      {"the saver, low bits set", SC_SCREENSAVE | 0x3, 0, false},
      {"close (Alt+F4)", SC_CLOSE, 0, true},
      {"monitor power off", SC_MONITORPOWER, 2, true},
      {"minimise", SC_MINIMIZE, 0, true},
      {"the window menu", SC_KEYMENU, 0, true},
  };
  CountingForm form;
  const HHOOK hook = SetWindowsHookExW(WH_CBT, NoteSystemCommand, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  for (const Row& row : rows) {
    commandsCarriedOut.clear();
    SendMessageW(form.Window(), WM_SYSCOMMAND, row.command, row.argument);
    EXPECT_EQ(!commandsCarriedOut.empty(), row.carriedOut) << row.name;
  }
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(form.queries, 0) << "a system command reached the form";
}

TEST(FormWindow, HasNoInputContextSoKeysTypeTheirCharacters) {
  // A window of the machine's own making has one: else this test could not tell.
  const HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  const HIMC plainContext = ImmGetContext(plain);
  ASSERT_NE(plainContext, nullptr) << "windows here have no input context at all";
  ImmReleaseContext(plain, plainContext);
  DestroyWindow(plain);

  CountingForm form;
  const HIMC context = ImmGetContext(form.Window());
  EXPECT_EQ(context, nullptr);
  if (context != nullptr) ImmReleaseContext(form.Window(), context);
}

TEST(FormWindow, ACancelledSessionEndLeavesEveryFormItsWindow) {
  CountingForm saver, cover;
  const HWND saverWindow = saver.Window(), coverWindow = cover.Window();
  cover.cancelQuery = true;

  // Windows asks every window; one answer "no" keeps the session going.
  EXPECT_EQ(SendMessageW(saverWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(SendMessageW(coverWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
  EXPECT_EQ(saver.queries, 1);
  EXPECT_EQ(saver.unloadMode, runtime::vbAppWindows);
  SendMessageW(saverWindow, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  SendMessageW(coverWindow, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);

  for (CountingForm* form : {&saver, &cover}) {
    EXPECT_EQ(form->unloads + form->terminates, 0);
    EXPECT_TRUE(IsWindow(form == &saver ? saverWindow : coverWindow));
  }
  EXPECT_EQ(saver.Window(), saverWindow);
  EXPECT_EQ(cover.Window(), coverWindow);

  // The session that does end unloads the form and takes its window.
  SendMessageW(saverWindow, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(saver.queries, 1) << "asked again after agreeing";
  EXPECT_EQ(saver.unloads, 1);
  EXPECT_EQ(saver.terminates, 1);
  EXPECT_FALSE(IsWindow(saverWindow));
}

TEST(FormWindow, EveryFormWindowSharesTheOneSmallIcon) {
  CountingForm first, second;
  const auto firstIcon = GetClassLongPtrW(first.Window(), GCLP_HICONSM);
  const auto secondIcon = GetClassLongPtrW(second.Window(), GCLP_HICONSM);
  const HANDLE shared = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, 16,
                                   16, LR_DEFAULTCOLOR | LR_SHARED);
  ASSERT_NE(shared, nullptr);
  // The system's own copy, which it frees itself: none is loaded per window.
  EXPECT_EQ(firstIcon, reinterpret_cast<LONG_PTR>(shared));
  EXPECT_EQ(secondIcon, firstIcon);
}

TEST(FormWindow, AsksTheRefreshRateAgainAfterADisplayChangeAndItsPhaseOnceASecond) {
  // The rate of the display's mode, read apart from the code under test.
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const LONGLONG period = frequency.QuadPart / (mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 60);
  struct Row {
    const char* name;
    bool displayChange;
    ULONGLONG nextLookIn;  // milliseconds; 0: never looked
    bool looks;
  };
  const Row rows[] = {
      {"the first present", false, 0, true},
      {"less than a second since the last look", false, 900, false},
      {"the displays changed since", true, 900, true},
  };
  for (const Row& row : rows) {
    CountingForm form;
    backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
    native->refreshPeriod = 12345;  // as if read from the display before
    native->refreshedAt = 777;
    const ULONGLONG before = GetTickCount64();
    native->nextRefreshLook = row.nextLookIn == 0 ? 0 : before + row.nextLookIn;
    if (row.displayChange) SendMessageW(form.Window(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 720));
    native->presents.Ask(0, 1);
    backend::PresentIfDue(form.Window(), *native);
    EXPECT_EQ(native->refreshPeriod, row.displayChange ? period : 12345) << row.name;
    EXPECT_EQ(native->refreshedAt != 777, row.looks) << row.name;
    if (row.looks) {
      EXPECT_GE(native->nextRefreshLook, before + 1000) << row.name;
      EXPECT_LE(native->nextRefreshLook, GetTickCount64() + 1000) << row.name;
    }
  }
}

TEST(FormWindow, PresentsOncePerRefreshOnTheDisplaysPhaseWhenItIsKnown) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  for (const bool phaseKnown : {false, true}) {
    CountingForm form;
    backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
    native->refreshPeriod = frequency.QuadPart * 3600;  // an hour: both presents fall in one refresh...
    native->nextRefreshLook = ~0ull;                      // whose phase is not looked at again
    QueryPerformanceCounter(&now);
    native->refreshedAt = phaseKnown ? now.QuadPart + frequency.QuadPart / 2 : 0;  // ...unless it comes between
    backend::PresentIfDue(form.Window(), *native);  // nothing to present: no refresh is taken
    for (const bool presents : {true, phaseKnown}) {
      native->presents.Ask(0, 1);
      backend::PresentIfDue(form.Window(), *native);
      EXPECT_EQ(!native->presents.Pending(), presents) << phaseKnown;
      Sleep(600);
    }
  }
}

TEST(FormWindow, RestsWhileAnySettingItListensToSaysTheDisplaysAreOff) {
  const GUID console = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  const GUID session = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
  const GUID monitor = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
  const GUID acPower = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
  struct Notice {
    const GUID* setting;
    DWORD value;
    DWORD length = sizeof(DWORD);
    WPARAM event = PBT_POWERSETTINGCHANGE;
  };
  struct Row {
    const char* name;
    std::vector<Notice> notices;
    bool seen;
  };
  const Row rows[] = {
      {"console off", {{&console, 0}}, false},
      {"console dimmed", {{&console, 2}}, true},
      {"console off, then on", {{&console, 0}, {&console, 1}}, true},
      {"session off, then the console on", {{&session, 0}, {&console, 1}}, false},
      {"monitor power off", {{&monitor, 0}}, false},
      {"another setting at 0", {{&acPower, 0}}, true},
      {"a value cut short", {{&console, 0, 3}}, true},
      {"another power event", {{&console, 0, 4, PBT_APMRESUMEAUTOMATIC}}, true},
  };
  for (const Row& row : rows) {
    CountingForm form;
    runtime::Timer watch(form, 1, 10, [] {});
    runtime::Timer idle(form, 2, 10, [] {});  // never enabled: it stays so
    ASSERT_TRUE(watch.SetEnabled(true));
    backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
    // One setting before Windows 8 (Wine 8 says it is Windows 7), two from it on.
    EXPECT_NE(native->powerNotices[0], nullptr);
    EXPECT_EQ(native->powerNotices[1] != nullptr, IsWindows8OrGreater());
    native->refreshPeriod = 12345;
    native->nextDisplayLook = 12345;
    for (const Notice& notice : row.notices) {
      alignas(POWERBROADCAST_SETTING) unsigned char bytes[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
      auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(bytes);
      setting->PowerSetting = *notice.setting;
      setting->DataLength = notice.length;
      std::memcpy(setting->Data, &notice.value, sizeof notice.value);
      SendMessageW(form.Window(), WM_POWERBROADCAST, notice.event, reinterpret_cast<LPARAM>(setting));
    }
    EXPECT_EQ(form.Watching().displaysOn, row.seen) << row.name;
    EXPECT_EQ(native->tickInterval, row.seen ? 10u : 250u) << row.name;
    EXPECT_EQ(native->timers.size(), 1u) << row.name;
    // Back on, the next tick looks at the displays and their rate before it presents.
    const bool backOn = row.notices.size() == 2 && row.seen;
    EXPECT_EQ(native->refreshPeriod == 0, backOn) << row.name;
    EXPECT_EQ(native->nextDisplayLook == 1, backOn) << row.name;
  }
}

TEST(FormWindow, ActsOnTheChangesOfItsOwnSessionAndHoldsItsPresentsWhileDisconnected) {
  DWORD own = 0;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &own));
  // The events of its own session, then whether it is seen, and how often it was told of a lock.
  const std::tuple<std::vector<WPARAM>, bool, int> rows[] = {
      {{WTS_CONSOLE_DISCONNECT}, false, 0},
      {{WTS_REMOTE_DISCONNECT}, false, 0},
      {{WTS_REMOTE_DISCONNECT, WTS_CONSOLE_CONNECT}, true, 0},
      {{WTS_CONSOLE_DISCONNECT, WTS_SESSION_UNLOCK, WTS_REMOTE_CONNECT}, true, 0},
      {{WTS_SESSION_LOCK}, true, 0},  // its own desktop still on the screen: nothing ends
      {{WTS_SESSION_LOCK, WTS_SESSION_UNLOCK}, true, 1},
      {{WTS_SESSION_LOGON, WTS_SESSION_LOGOFF, WTS_SESSION_REMOTE_CONTROL}, true, 0},
  };
  for (const auto& [events, seen, locks] : rows) {
    CountingForm form;
    runtime::Timer watch(form, 1, 10, [] {});
    ASSERT_TRUE(watch.SetEnabled(true));
    backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
    for (WPARAM event : events) SendMessageW(form.Window(), WM_WTSSESSION_CHANGE, event, own);
    native->presents.Ask(0, 1);
    backend::PresentIfDue(form.Window(), *native);  // held while nobody sees it
    EXPECT_EQ(form.State() != runtime::Showing::Unseen && native->tickInterval == 10 && !native->presents.Pending(),
              seen)
        << events[0];
    EXPECT_TRUE(form.locks == locks && native->wtsapi != nullptr) << events[0];  // the library held while it listens
  }
  {
    // The program's end destroys no window: it stops every one listening first.
    CountingForm form;
    backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
    backend::StopListeningForSessionChangesEverywhere();
    EXPECT_EQ(native->wtsapi, nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(L"wtsapi32.dll"), nullptr) << "held after the windows went";
}

TEST(FormWindow, StandsStillWhileTheUserHasTurnedAnimationsOff) {
  CountingForm form;
  runtime::Timer watch(form, 1, 10, [] {});
  ASSERT_TRUE(watch.SetEnabled(true));
  for (const INT_PTR animations : {FALSE, TRUE}) {
    // Not written to the user's profile: gone with the test's session, whatever happens.
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(animations), 0));
    SendMessageW(form.Window(), WM_SETTINGCHANGE, SPI_SETCLIENTAREAANIMATION, 0);
    EXPECT_EQ(backend::NativeWindowOf(form.Window())->tickInterval, animations ? 10u : 250u);
  }
}

}  // namespace
