// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Whether anyone can see the displays, as Windows tells a window that asks through
// power-setting notifications: from Windows 8 on, the console's display (off, on
// or dimmed) and the display of this session (off also while another session is
// shown); before that only whether the monitors have power. Each setting answers
// once as soon as it is asked, then on every change. The displays are off while
// any setting the window listens to says so; dimmed is still seen.
#include <cstring>
#include <iterator>

#include "NativeWindow.h"

#include <versionhelpers.h>

namespace backend {

namespace {

// GUID_CONSOLE_DISPLAY_STATE, GUID_SESSION_DISPLAY_STATUS and GUID_MONITOR_POWER_ON,
// by their bit in NativeWindow::displaysOffBy. Each tells a DWORD, 0 for off.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kSessionDisplayStatus = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr const GUID* kSettings[] = {&kConsoleDisplayState, &kSessionDisplayStatus, &kMonitorPowerOn};

HPOWERNOTIFY Listen(HWND window, const GUID& setting) {
  return RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace

void ListenForDisplayPower(HWND window, NativeWindow& native) {
  // Windows 7 has neither of the first two; from Windows 8 on the third says only
  // what the first says.
  if (IsWindows8OrGreater()) {
    native.powerNotices[0] = Listen(window, kConsoleDisplayState);
    native.powerNotices[1] = Listen(window, kSessionDisplayStatus);
  } else {
    native.powerNotices[0] = Listen(window, kMonitorPowerOn);
  }
}

void StopListeningForDisplayPower(NativeWindow& native) {
  for (HPOWERNOTIFY notice : native.powerNotices) {
    if (notice != nullptr) UnregisterPowerSettingNotification(notice);
  }
}

void DisplayPowerNotice(NativeWindow& native, const POWERBROADCAST_SETTING& notice) {
  // The length first: a notice too short for its value says nothing.
  if (notice.DataLength < sizeof(DWORD)) return;
  unsigned bit = 0;
  while (bit < std::size(kSettings) && !IsEqualGUID(notice.PowerSetting, *kSettings[bit])) ++bit;
  // Windows sends only the settings asked for, which differ from one version to
  // another; any other is no news of the displays.
  if (bit == std::size(kSettings)) return;
  DWORD value;
  std::memcpy(&value, notice.Data, sizeof value);
  const bool wasOff = native.displaysOffBy != 0;
  if (value == 0) {
    native.displaysOffBy |= 1u << bit;
  } else {
    native.displaysOffBy &= ~(1u << bit);
  }
  const bool off = native.displaysOffBy != 0;
  if (off == wasOff) return;
  if (!off) {
    // The monitors and their rate may have changed while they slept: the next
    // tick looks at them before it presents.
    if (native.nextDisplayLook != 0) native.nextDisplayLook = 1;
    native.refreshPeriod = 0;
  }
  native.events->OnDisplayPower(off ? DisplayPower::Off : DisplayPower::On);
}

}  // namespace backend
