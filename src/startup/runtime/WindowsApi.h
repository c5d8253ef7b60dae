// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The few Windows functions the program calls by name, behind a narrow seam.
// The Windows build forwards each to the real function (wide forms); the headless
// build answers from a script and records every call so a test can compare the
// sequence. Meanings and results are Windows' own; callers decide whether to look.
#pragma once

#include <memory>
#include <string>

#include "Types.h"

namespace platform {

using runtime::Point;
using runtime::PixelRect;
using runtime::WindowHandle;

constexpr WindowHandle kHwndTopmost = -1;
constexpr WindowHandle kHwndNotTopmost = -2;
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;

constexpr int kSmCMonitors = 80;
constexpr int kSmSameDisplayFormat = 81;

constexpr int kCsidlSystem = 37;
constexpr int kCsidlSystemX86 = 41;
constexpr std::size_t kMaxPath = 260;

// Writes the cursor position in screen pixels; false when the call fails, in which
// case `point` is left as it was.
bool GetCursorPos(Point& point);

// The active window of this thread while this thread holds the foreground; 0
// while a window of another thread or process holds it.
WindowHandle GetActiveWindow();

// Returns the previously active window, or 0 on failure.
WindowHandle SetActiveWindow(WindowHandle window);

bool SetForegroundWindow(WindowHandle window);

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  unsigned flags);

// 0 when the index is unknown or the call fails.
int GetSystemMetrics(int index);

// The monitor record: cbSize must be 40 (the plain record); any other size is
// refused.
struct MonitorInfo {
  unsigned cbSize = 0;
  PixelRect rcMonitor;
  PixelRect rcWork;
  unsigned dwFlags = 0;
};

// Fills `info` for the monitor that `screenNumber` designates: screen n is the n-th
// monitor in the platform's enumeration order, counted from 1. A number that
// designates no monitor, or a failing call, leaves `info` untouched and gives false.
bool GetMonitorInfo(int screenNumber, MonitorInfo& info);

// Hands `file` to the shell, which has finished starting it when this returns.
// As the plain call answers: above 32 when the start succeeded, else the code of
// the failure's cause, 32 or less.
std::intptr_t ShellExecute(WindowHandle owner, const std::wstring& operation,
                           const std::wstring& file, const std::wstring& parameters,
                           const std::wstring& directory, int showCommand);

// An item-ID list as the shell hands it out; released when the last copy goes.
using ItemIdList = std::shared_ptr<void>;

// 0 (S_OK) on success, when `list` is set; an error code otherwise.
long SHGetSpecialFolderLocation(WindowHandle owner, int folder, ItemIdList& list);

// Writes the folder's path, NUL-terminated, into `buffer` of kMaxPath characters.
// Returns 1 on success, 0 on failure.
int SHGetPathFromIDList(const ItemIdList& list, wchar_t* buffer);

// The short form of the existing file or folder `path`, of any length: each part
// by its short name where the volume keeps one, else as it is (a volume without
// short names gives the path back unchanged). "" when the call fails.
std::wstring GetShortPathName(const std::wstring& path);

}  // namespace platform
