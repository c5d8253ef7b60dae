// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// What the Windows build keeps beside each form's native window: where its events
// go, the form's timers (all driven by one native timer), the rows waiting to be
// presented and the monitors as last seen. Shared by the window procedure, the
// timers, the presenter and the display watch.
#pragma once

#include <vector>

#include "../Backend.h"
#include "../FramePacing.h"
#include "../Presents.h"
#include "Win32.h"

namespace backend {

// The one native timer of a window; the form's own timers are counted off it.
constexpr UINT_PTR kTickTimer = 0x7F01;

struct FormTimer {
  int id = 0;
  int interval = 0;      // milliseconds, as the form asked
  int ticksPerFire = 1;  // native ticks between two firings
  int countdown = 1;
};

struct NativeWindow {
  // Null from the moment the window is being destroyed: no message reaches the form.
  WindowEvents* events = nullptr;
  bool blankPointer = false;

  std::vector<FormTimer> timers;  // in the order of their ids
  UINT tickInterval = 0;          // of the native timer; 0 while it is stopped
  std::vector<int> due;           // reused on every tick, so a tick allocates nothing
  bool ticking = false;           // inside OnTick
  bool orphaned = false;          // the window went during the tick: OnTick frees this record

  runtime::PresentQueue presents;  // the rows waiting, held back or paced as the form asked
  LONGLONG refreshPeriod = 0;   // one display refresh, in performance-counter units; 0: ask again
  LONGLONG refreshedAt = 0;     // when the display last refreshed, at the last look; 0: not known
  ULONGLONG nextRefreshLook = 0;  // GetTickCount64 time to look at the refresh's phase again

  std::vector<MonitorArea> displays;  // the monitors at the last look
  ULONGLONG nextDisplayLook = 0;      // GetTickCount64 time of the next look; 0 before the first

  HPOWERNOTIFY powerNotices[2] = {};  // the power settings the window listens to
  unsigned displaysOffBy = 0;         // a bit for each setting that says the displays are off, as told

  HMODULE wtsapi = nullptr;  // the session manager's library, held while the window listens to it
};

// The record of a form window (null while it has none). Only for form windows.
NativeWindow* NativeWindowOf(HWND window);

// True when `window` is a form window, whose record NativeWindowOf may read.
bool IsFormWindow(HWND window);

// Looks at the monitors now and then from a window's tick; when they changed,
// tells every form window of the thread.
void WatchDisplays(NativeWindow& native);

// The monitors changed: the window asks for the refresh rate again before its
// next present, and its form is told.
void DisplaysChanged(NativeWindow& native);

// How many units the performance counter counts a second.
LONGLONG CounterFrequency();

// One refresh of the primary display in performance-counter units: the rate
// Windows gives as a fraction where it does, else whole hertz, else 60 Hz.
LONGLONG PrimaryRefreshPeriod();

// The performance-counter time of the display's last refresh, as the compositor
// tells it for a display refreshing every `period`; 0 where it tells none.
LONGLONG DisplayRefreshedAt(LONGLONG period);

// Asks Windows to tell the window when the displays are turned off or on; the
// first notices may come at once.
void ListenForDisplayPower(HWND window, NativeWindow& native);
void StopListeningForDisplayPower(NativeWindow& native);

// A power setting changed: tells the form when the displays went off or came on.
void DisplayPowerNotice(NativeWindow& native, const POWERBROADCAST_SETTING& notice);

// Asks Windows to tell the window of changes to its session, and stops asking
// (once, however often it is called).
void ListenForSessionChanges(HWND window, NativeWindow& native);
void StopListeningForSessionChanges(HWND window, NativeWindow& native);
// Stops every form window of the thread listening, as the program ends.
void StopListeningForSessionChangesEverywhere();

// What a session's state as the session manager gives it (WTS_CONNECTSTATE_CLASS)
// says of whether a screen shows it.
ConnectState ConnectStateOf(int wtsConnectState);

// A session changed (WM_WTSSESSION_CHANGE): tells the form of the changes it acts on.
void SessionNotice(NativeWindow& native, WPARAM event, LPARAM sessionId);

// Runs the form timers that are due on this native tick, looks at the displays,
// then presents.
void OnTick(HWND window, NativeWindow& native);

// Presents the waiting rows if the form allows it and a display refresh has
// passed since the last time.
void PresentIfDue(HWND window, NativeWindow& native);

// Presents the rows [first, end) of the form's frame through `dc`.
void PresentRows(HDC dc, WindowEvents& events, int first, int end);

}  // namespace backend
