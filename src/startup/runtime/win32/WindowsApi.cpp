// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Windows functions the program names, forwarded to Windows.
#include "../WindowsApi.h"

#include <vector>

#include "Win32.h"

namespace platform {

namespace {
HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
  return TRUE;
}

PixelRect FromRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

// What ShellExecute answers for a start that succeeded: any value above 32.
constexpr std::intptr_t kShellStarted = 33;
}  // namespace

bool GetCursorPos(Point& point) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  point.X = p.x;
  point.Y = p.y;
  return true;
}

WindowHandle GetActiveWindow() {
  // Windows answers the active window of this thread's own input queue, which
  // stays set while another program holds the foreground: after a refused
  // SetForegroundWindow the window would seem to have it. The program asks
  // whether it holds the activation, so this answers 0 unless the foreground
  // window belongs to this thread.
  const HWND foreground = ::GetForegroundWindow();
  if (foreground == nullptr || GetWindowThreadProcessId(foreground, nullptr) != GetCurrentThreadId()) return 0;
  return Handle(::GetActiveWindow());
}

WindowHandle SetActiveWindow(WindowHandle window) { return Handle(::SetActiveWindow(Hwnd(window))); }

bool SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(Hwnd(window)) != FALSE; }

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  unsigned flags) {
  return ::SetWindowPos(Hwnd(window), Hwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

bool GetMonitorInfo(int screenNumber, MonitorInfo& info) {
  // The monitors are enumerated afresh for every query; Windows keeps their order
  // for as long as the layout stays.
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (screenNumber < 1 || static_cast<std::size_t>(screenNumber) > monitors.size()) return false;
  // Only the plain record is asked for: a larger size would let Windows write a
  // longer record than the one here.
  if (info.cbSize != sizeof(MONITORINFO)) return false;
  MONITORINFO record{};
  record.cbSize = sizeof record;
  if (!::GetMonitorInfoW(monitors[static_cast<std::size_t>(screenNumber) - 1], &record)) return false;
  info.rcMonitor = FromRect(record.rcMonitor);
  info.rcWork = FromRect(record.rcWork);
  info.dwFlags = record.dwFlags;
  return true;
}

std::intptr_t ShellExecute(WindowHandle owner, const std::wstring& operation, const std::wstring& file,
                           const std::wstring& parameters, const std::wstring& directory, int showCommand) {
  SHELLEXECUTEINFOW start{};
  start.cbSize = sizeof start;
  // The program may end as soon as this returns: the shell finishes the start
  // before returning instead of on a thread of its own that the end would kill.
  start.fMask = SEE_MASK_NOASYNC;
  start.hwnd = Hwnd(owner);
  start.lpVerb = operation.c_str();
  start.lpFile = file.c_str();
  start.lpParameters = parameters.c_str();
  start.lpDirectory = directory.c_str();
  start.nShow = showCommand;
  // The call's own result says whether the start succeeded: hInstApp tells it
  // only when a process handle is asked for, which the program has no use for.
  if (ShellExecuteExW(&start)) return kShellStarted;
  // On failure hInstApp holds the cause as the plain call gives it, 32 or less.
  const auto code = reinterpret_cast<std::intptr_t>(start.hInstApp);
  return code >= 0 && code <= 32 ? code : 0;
}

long SHGetSpecialFolderLocation(WindowHandle owner, int folder, ItemIdList& list) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  const HRESULT result = ::SHGetSpecialFolderLocation(Hwnd(owner), folder, &pidl);
  if (SUCCEEDED(result) && pidl != nullptr) list = ItemIdList(pidl, [](void* p) { CoTaskMemFree(p); });
  return static_cast<long>(result);
}

int SHGetPathFromIDList(const ItemIdList& list, wchar_t* buffer) {
  return SHGetPathFromIDListW(static_cast<PCIDLIST_ABSOLUTE>(list.get()), buffer) ? 1 : 0;
}

std::wstring GetShortPathName(const std::wstring& path) {
  // Asked twice: first for the room the answer needs (its NUL included), then for
  // the answer, which is shorter than that room when it fits. A first call that
  // fails answers 0, and the second then fails too.
  const DWORD needed = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  std::wstring shortPath(needed, L'\0');
  const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::wstring();
  shortPath.resize(length);
  return shortPath;
}

}  // namespace platform
