// Form windows as the Win32 machine makes them, driven with messages: what the
// window procedure passes on to Windows, what it keeps from the forms, and what
// a window is given when it is made.
#include <gtest/gtest.h>

#include <vector>

#include "Win32Fixtures.h"

#include <imm.h>
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

TEST(FormWindow, AsksTheRefreshRateAgainAfterADisplayChange) {
  CountingForm form;
  backend::NativeWindow* native = backend::NativeWindowOf(form.Window());
  ASSERT_NE(native, nullptr);
  native->refreshPeriod = 12345;  // as if read from the display before the change
  SendMessageW(form.Window(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 720));
  native->pendingFirst = 0;
  native->pendingEnd = 1;
  backend::PresentIfDue(form.Window(), *native);
  // Whatever the display's rate, it is the one read now, not the one from before.
  EXPECT_EQ(native->refreshPeriod, backend::PrimaryRefreshPeriod());
}

}  // namespace
