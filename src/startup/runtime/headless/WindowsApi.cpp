// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Windows functions the program names, answered by the headless machine.
#include "../WindowsApi.h"

#include <cwchar>
#include <memory>

#include "Format.h"
#include "Machine.h"

namespace platform {

using headless::Args;
using headless::TheMachine;

bool GetCursorPos(Point& point) {
  if (!TheMachine().Call(L"GetCursorPos", L"")) return false;
  point = TheMachine().cursor;
  return true;
}

WindowHandle GetActiveWindow() {
  if (!TheMachine().Call(L"GetActiveWindow", L"")) return 0;
  return TheMachine().activeWindow;
}

WindowHandle SetActiveWindow(WindowHandle window) {
  if (!TheMachine().Call(L"SetActiveWindow", Args(window))) return 0;
  const WindowHandle previous = TheMachine().activeWindow;
  TheMachine().activeWindow = window;
  return previous;
}

bool SetForegroundWindow(WindowHandle window) {
  return TheMachine().Call(L"SetForegroundWindow", Args(window));
}

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  unsigned flags) {
  if (!TheMachine().Call(L"SetWindowPos", Args(window, insertAfter, x, y, cx, cy, flags))) return false;
  const auto found = TheMachine().windows.find(window);
  if (found == TheMachine().windows.end()) return false;
  if (insertAfter == kHwndTopmost) found->second.topmost = true;
  if (insertAfter == kHwndNotTopmost) found->second.topmost = false;
  return true;
}

int GetSystemMetrics(int index) {
  if (!TheMachine().Call(L"GetSystemMetrics", Args(index))) return 0;
  switch (index) {
    case kSmCMonitors: return static_cast<int>(TheMachine().monitors.size());
    case kSmSameDisplayFormat: return TheMachine().sameDisplayFormat ? 1 : 0;
    default: return 0;
  }
}

bool GetMonitorInfo(int screenNumber, MonitorInfo& info) {
  if (!TheMachine().Call(L"GetMonitorInfo", Args(screenNumber, info.cbSize))) return false;
  const auto& monitors = TheMachine().monitors;
  if (screenNumber < 1 || static_cast<std::size_t>(screenNumber) > monitors.size() || info.cbSize != 40) {
    return false;
  }
  const headless::Monitor& monitor = monitors[static_cast<std::size_t>(screenNumber) - 1];
  info.rcMonitor = monitor.rcMonitor;
  info.rcWork = monitor.rcWork;
  info.dwFlags = monitor.rcMonitor.left == 0 && monitor.rcMonitor.top == 0 ? 1u : 0u;
  return true;
}

std::intptr_t ShellExecute(WindowHandle owner, const std::wstring& operation, const std::wstring& file,
                           const std::wstring& parameters, const std::wstring& directory, int showCommand) {
  if (!TheMachine().Call(L"ShellExecute", Args(owner, operation, file, parameters, directory, showCommand))) {
    return 2;  // SE_ERR_FNF
  }
  return 42;
}

long SHGetSpecialFolderLocation(WindowHandle owner, int folder, ItemIdList& list) {
  if (!TheMachine().Call(L"SHGetSpecialFolderLocation", Args(owner, folder))) return 0x80004005L;
  const auto found = TheMachine().specialFolders.find(folder);
  if (found == TheMachine().specialFolders.end()) return 0x80070002L;
  list = std::make_shared<std::wstring>(found->second);
  return 0;
}

int SHGetPathFromIDList(const ItemIdList& list, wchar_t* buffer) {
  if (!TheMachine().Call(L"SHGetPathFromIDList", L"")) return 0;
  if (!list) return 0;
  const auto* path = static_cast<const std::wstring*>(list.get());
  if (path->size() >= kMaxPath) return 0;
  std::wmemcpy(buffer, path->c_str(), path->size() + 1);
  return 1;
}

std::wstring GetShortPathName(const std::wstring& path) {
  if (!TheMachine().Call(L"GetShortPathName", Args(path))) return std::wstring();
  const auto found = TheMachine().shortPaths.find(path);
  return found == TheMachine().shortPaths.end() ? path : found->second;
}

}  // namespace platform
