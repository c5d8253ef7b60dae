// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Windows functions the program names, as the Win32 machine answers them
// where Windows' own answer would mislead the program, and the process's COM and
// message boxes.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "Win32Fixtures.h"
#include "startup/runtime/Backend.h"
#include "startup/runtime/Session.h"
#include "startup/runtime/WindowsApi.h"
#include "startup/runtime/win32/Com.h"
#include "startup/runtime/win32/NativeWindow.h"

#include <wtsapi32.h>

namespace {

runtime::WindowHandle Handle(HWND window) { return reinterpret_cast<runtime::WindowHandle>(window); }

TEST(PlatformCalls, GetActiveWindowAnswersZeroWhileAnotherThreadHoldsTheForeground) {
  OtherThreadWindow other;
  CountingForm saver, cover;
  saver.SetVisible(true);
  cover.SetVisible(true);
  // The window system reports focus changes a little later than they are made.
  Settle();

  SetForegroundWindow(saver.Window());
  SettleUntil([&] { return GetForegroundWindow() == saver.Window(); });
  ASSERT_EQ(GetForegroundWindow(), saver.Window());
  EXPECT_EQ(platform::GetActiveWindow(), Handle(saver.Window())) << "the saver in the foreground";

  SetForegroundWindow(cover.Window());
  SettleUntil([&] { return GetForegroundWindow() == cover.Window(); });
  ASSERT_EQ(GetForegroundWindow(), cover.Window());
  EXPECT_EQ(platform::GetActiveWindow(), Handle(cover.Window())) << "a cover of the same thread in the foreground";

  // Another program has the foreground, and the saver asked for the activation
  // back; Windows refused it the foreground, so it is active only within its
  // own thread's queue.
  other.TakeForeground();
  SettleUntil([&] { return GetForegroundWindow() == other.Window(); });
  ASSERT_EQ(GetForegroundWindow(), other.Window());
  SetActiveWindow(saver.Window());
  SettleUntil([&] { return GetActiveWindow() == saver.Window(); });
  ASSERT_NE(GetForegroundWindow(), saver.Window());
  ASSERT_EQ(GetActiveWindow(), saver.Window()) << "Windows' own answer no longer shows the trap";
  EXPECT_EQ(platform::GetActiveWindow(), 0);
}

TEST(PlatformCalls, TheSessionIsRemoteWhenTheMachinesGraphicsBelongToAnotherSession) {
  DWORD own = 0;
  unsigned long told = 0xDEADBEEF, glass = 0xDEADBEEF;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &own) && backend::ProcessSessionId(told) && told == own);
  EXPECT_NE(backend::SessionConnectState(), backend::ConnectState::Disconnected);  // Wine cannot tell
  EXPECT_TRUE(backend::InputDesktopIsOwn());  // Wine never switches desktops
  for (const auto& [state, shown] : {std::pair{WTSActive, true}, {WTSConnected, true}, {WTSConnectQuery, true},
                                     {WTSShadow, true}, {WTSDisconnected, false}, {WTSIdle, true}}) {
    EXPECT_EQ(backend::ConnectStateOf(state) == backend::ConnectState::Connected, shown) << state;
  }
  HKEY key = nullptr;
  ASSERT_FALSE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Terminal Server", 0,
                               nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr));
  // The value belongs to the machine: whatever stood there is put back.
  DWORD saved = 0, size = sizeof saved;
  const bool hadValue =
      RegGetValueW(key, nullptr, L"GlassSessionId", RRF_RT_REG_DWORD, nullptr, &saved, &size) == ERROR_SUCCESS;
  for (const DWORD written : {own + 1, own}) {
    RegSetValueExW(key, L"GlassSessionId", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&written), sizeof written);
    EXPECT_TRUE(backend::GlassSessionId(glass) && glass == written && runtime::InRemoteSession() == (written != own));
  }
  RegDeleteValueW(key, L"GlassSessionId");
  EXPECT_FALSE(backend::GlassSessionId(glass));
  if (hadValue) RegSetValueExW(key, L"GlassSessionId", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof saved);
  RegCloseKey(key);
}

TEST(PlatformCalls, GetMonitorInfoRefusesEveryRecordSizeButThePlainOne) {
  struct Row {
    unsigned size;
    bool answered;
  };
  const Row rows[] = {{40, true}, {0, false}, {39, false}, {41, false}, {72, false}, {104, false}, {0xFFFFFFFF, false}};
  for (const Row& row : rows) {
    platform::MonitorInfo info;
    info.cbSize = row.size;
    const runtime::PixelRect poison{-7, -7, -7, -7};
    info.rcMonitor = info.rcWork = poison;
    info.dwFlags = 0xDEADBEEF;
    EXPECT_EQ(platform::GetMonitorInfo(1, info), row.answered) << "cbSize " << row.size;
    if (!row.answered) {
      EXPECT_EQ(info.rcMonitor, poison) << "cbSize " << row.size;
      EXPECT_EQ(info.dwFlags, 0xDEADBEEFu) << "cbSize " << row.size;
    } else {
      EXPECT_EQ(info.dwFlags & 1u, 1u) << "screen 1 is the primary here";
    }
  }
}

TEST(PlatformCalls, AProgramStartsOnlyFromTheFullPathItIsGivenAndKeepsNoHandle) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  // The handles that new ones get: a handle the start kept would take one of them.
  const auto freeSlots = [] {
    std::vector<HANDLE> made(8);
    for (HANDLE& handle : made) handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (HANDLE handle : made) CloseHandle(handle);
    return std::set<HANDLE>(made.begin(), made.end());
  };
  const std::set<HANDLE> before = freeSlots();
  EXPECT_TRUE(backend::StartProgram(std::wstring(system) + L"\\hostname.exe", L"", system));
  // A bare name is looked for in this process's working folder alone, where it is not.
  EXPECT_FALSE(backend::StartProgram(L"hostname.exe", L"", system));
  EXPECT_EQ(freeSlots(), before);
}

TEST(PlatformCalls, TheShellsAnswerIsAboveThirtyTwoForAStart) {
  // A failed start is not tried here: the shell tells it in a box of its own.
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  EXPECT_GT(platform::ShellExecute(0, L"open", std::wstring(system) + L"\\hostname.exe", L"", system, SW_HIDE), 32);
}

TEST(PlatformCalls, TheProcessJoinsASingleThreadedComApartment) {
  backend::InitialiseCom();
  const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(again, S_FALSE) << "not in an apartment yet";
  if (SUCCEEDED(again)) CoUninitialize();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
}

TEST(PlatformCalls, AMessageBoxSitsOnTheWindowItIsGivenOnlyWhileThatIsAWindow) {
  CountingForm dialog;
  dialog.SetVisible(true);
  const HWND gone = CountingForm().Window();  // made and destroyed with its form
  struct Row {
    const char* name;
    runtime::WindowHandle owner;
    HWND expected;
  };
  const Row rows[] = {
      {"a window", Handle(dialog.Window()), dialog.Window()},
      {"a window that is gone", Handle(gone), nullptr},
      {"no window", 0, nullptr},
      {"a number that names nothing", 0x7FFFFFF0, nullptr},
  };
  for (const Row& row : rows) {
    const std::wstring caption = L"owner test: " + std::wstring(row.name, row.name + strlen(row.name));
    BoxAnswerer answerer(caption);
    EXPECT_EQ(backend::ShowMessageBox(L"Which window?", caption, MB_YESNO, row.owner), IDNO) << row.name;
    EXPECT_EQ(answerer.Join(), row.expected) << row.name;
  }
}

TEST(PlatformCalls, AShortPathNamesTheSameFileWithoutABlankAndAMissingFileHasNone) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"frostlane short path " + std::to_wstring(GetCurrentProcessId());
  const std::wstring file = folder + L"\\a long file name.scr";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const HANDLE made = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  CloseHandle(made);

  const std::wstring shortPath = platform::GetShortPathName(file);
  wchar_t windowsAnswer[MAX_PATH] = L"";
  ASSERT_GT(GetShortPathNameW(file.c_str(), windowsAnswer, MAX_PATH), 0u);
  EXPECT_EQ(shortPath, std::wstring(windowsAnswer));
  EXPECT_EQ(shortPath.find(L' '), std::wstring::npos);
  wchar_t longPath[MAX_PATH] = L"";
  EXPECT_GT(GetLongPathNameW(shortPath.c_str(), longPath, MAX_PATH), 0u);
  EXPECT_EQ(lstrcmpiW(longPath, file.c_str()), 0);
  EXPECT_EQ(platform::GetShortPathName(folder + L"\\missing file.scr"), L"");

  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
