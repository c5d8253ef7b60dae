// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The monitors as the forms see them, and the watch that tells the forms when they
// change. Windows broadcasts WM_DISPLAYCHANGE, which the window procedure passes
// on; Wine 8 sends a running program nothing at all when X changes its outputs (a
// mode switched, an output turned off or on), so a window's tick also looks at the
// monitors four times a second and, when they differ from the last look, tells
// every form window of the thread. The forms make nothing of a notice that
// changes nothing, so the two ways may both report one change.
#include "NativeWindow.h"

namespace backend {

namespace {

constexpr ULONGLONG kDisplayLookInterval = 250;  // milliseconds

MonitorArea AreaOf(HMONITOR monitor, bool& known) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  known = GetMonitorInfoW(monitor, &info) != FALSE;
  if (!known) return MonitorArea{};
  return MonitorArea{PixelRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom},
                     info.szDevice, (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

struct Enumeration {
  std::vector<MonitorArea>* monitors;
  bool complete;
};

BOOL CALLBACK CollectArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  bool known = false;
  enumeration.monitors->push_back(AreaOf(monitor, known));
  enumeration.complete = enumeration.complete && known;
  return TRUE;
}

bool SameMonitors(const std::vector<MonitorArea>& a, const std::vector<MonitorArea>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i].rect == b[i].rect) || a[i].device != b[i].device || a[i].primary != b[i].primary) return false;
  }
  return true;
}

BOOL CALLBACK TellFormWindow(HWND window, LPARAM) {
  NativeWindow* native = IsFormWindow(window) ? NativeWindowOf(window) : nullptr;
  if (native != nullptr && native->events != nullptr) DisplaysChanged(*native);
  return TRUE;
}

}  // namespace

void DisplaysChanged(NativeWindow& native) {
  native.refreshPeriod = 0;
  native.events->OnDisplaysChanged();
}

MonitorArea MonitorNearest(const PixelRect& rect) {
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  bool known = false;
  const MonitorArea area = AreaOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), known);
  return known ? area : MonitorArea{rect, L"", false};
}

bool EnumMonitors(std::vector<MonitorArea>& monitors) {
  std::vector<MonitorArea> found;
  Enumeration enumeration{&found, true};
  if (!EnumDisplayMonitors(nullptr, nullptr, CollectArea, reinterpret_cast<LPARAM>(&enumeration)) ||
      !enumeration.complete || found.empty()) {
    return false;
  }
  monitors = std::move(found);
  return true;
}

void WatchDisplays(NativeWindow& native) {
  const ULONGLONG now = GetTickCount64();
  if (now < native.nextDisplayLook) return;
  const bool firstLook = native.nextDisplayLook == 0;
  native.nextDisplayLook = now + kDisplayLookInterval;
  std::vector<MonitorArea> monitors;
  if (!EnumMonitors(monitors)) return;  // a half-read layout is no change; look again later
  if (!firstLook && SameMonitors(monitors, native.displays)) return;
  native.displays = std::move(monitors);
  // The handlers may show or hide windows of the thread: they are told after the look.
  if (!firstLook) EnumThreadWindows(GetCurrentThreadId(), TellFormWindow, 0);
}

}  // namespace backend
