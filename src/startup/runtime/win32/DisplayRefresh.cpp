// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The primary display's refresh period, asked of the most exact source Windows
// offers first, and the time of its last refresh where the compositor tells it.
// The pacer's grid (FramePacing.h) must run at the display's own rate: the
// screen's device answers only whole hertz, 59 for the common 59.94 Hz.
#include <vector>

#include "NativeWindow.h"

// Only the declarations: dwmapi is looked up at run time.
#include <dwmapi.h>

namespace backend {

namespace {

// The rate of the primary's mode as Windows sets it, a fraction (59.94 Hz is
// 60000 in 1001), from the display configuration (Windows 7 on). The primary is
// the display whose desktop begins at the origin.
LONGLONG FromDisplayConfig(LONGLONG ticksPerSecond) {
  std::vector<DISPLAYCONFIG_PATH_INFO> paths;
  std::vector<DISPLAYCONFIG_MODE_INFO> modes;
  LONG result = ERROR_INSUFFICIENT_BUFFER;
  // The configuration may change between the two calls: then they are made again.
  for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
    UINT32 pathCount = 0, modeCount = 0;
    if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return 0;
    paths.resize(pathCount);
    modes.resize(modeCount);
    result = QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr);
    paths.resize(pathCount);
    modes.resize(modeCount);
  }
  if (result != ERROR_SUCCESS) return 0;
  for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
    const UINT32 source = path.sourceInfo.modeInfoIdx;
    if (source >= modes.size() || modes[source].infoType != DISPLAYCONFIG_MODE_INFO_TYPE_SOURCE) continue;
    const POINTL origin = modes[source].sourceMode.position;
    if (origin.x != 0 || origin.y != 0) continue;
    const DISPLAYCONFIG_RATIONAL rate = path.targetInfo.refreshRate;
    return runtime::RefreshPeriod(rate.Numerator, rate.Denominator, ticksPerSecond);
  }
  return 0;
}

// The compositor's timing (Windows 7 with composition on, every later Windows):
// false when it gives none. dwmapi is not one of Windows' known DLLs: it is
// loaded from the system folder by name, never imported, so no file of that name
// beside the program is ever loaded.
bool CompositorTiming(DWM_TIMING_INFO& timing) {
  HMODULE dwmapi = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (dwmapi == nullptr) return false;
  const auto getTimingInfo = reinterpret_cast<decltype(&::DwmGetCompositionTimingInfo)>(
      reinterpret_cast<void*>(GetProcAddress(dwmapi, "DwmGetCompositionTimingInfo")));
  timing = DWM_TIMING_INFO{};
  timing.cbSize = sizeof timing;
  // The desktop's timing: Windows 8.1 on refuses a window here.
  const bool answered = getTimingInfo != nullptr && SUCCEEDED(getTimingInfo(nullptr, &timing));
  FreeLibrary(dwmapi);
  return answered;
}

// The compositor's period, already in performance-counter units.
LONGLONG FromCompositor(LONGLONG) {
  DWM_TIMING_INFO timing;
  return CompositorTiming(timing) ? static_cast<LONGLONG>(timing.qpcRefreshPeriod) : 0;
}

// Whole hertz from the screen's device; 0 or 1 mean "the hardware's default".
LONGLONG FromScreenDevice(LONGLONG ticksPerSecond) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int hertz = GetDeviceCaps(screen, VREFRESH);
  ReleaseDC(nullptr, screen);
  return hertz > 1 ? runtime::RefreshPeriod(static_cast<std::uint32_t>(hertz), 1, ticksPerSecond) : 0;
}

}  // namespace

LONGLONG CounterFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

LONGLONG PrimaryRefreshPeriod() {
  const LONGLONG frequency = CounterFrequency();
  for (LONGLONG (*ask)(LONGLONG) : {FromDisplayConfig, FromCompositor, FromScreenDevice}) {
    const LONGLONG period = ask(frequency);
    if (period > 0) return period;
  }
  return runtime::RefreshPeriod(60, 1, frequency);  // a display that does not say
}

LONGLONG DisplayRefreshedAt(LONGLONG period) {
  DWM_TIMING_INFO timing;
  if (period <= 0 || !CompositorTiming(timing) || timing.qpcVBlank == 0) return 0;
  // The compositor keeps to the display it composes for; a period of its own far
  // from the primary's means it paces another display, whose phase is no use here.
  const auto compositorPeriod = static_cast<LONGLONG>(timing.qpcRefreshPeriod);
  if (compositorPeriod < period - period / 100 || compositorPeriod > period + period / 100) return 0;
  return static_cast<LONGLONG>(timing.qpcVBlank);
}

}  // namespace backend
