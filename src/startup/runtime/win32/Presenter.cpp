// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Putting a form's frame on the screen. Changed rows are gathered as the form
// reports them and presented from the window's own tick, paced to the display's
// refresh (FramePacing.h), straight through the window's device context: no
// invalidation and no paint message per frame, which under Wine are server round
// trips. A window without a running tick presents through the ordinary paint
// message instead.
#include <algorithm>

#include "NativeWindow.h"

namespace backend {

namespace {

constexpr ULONGLONG kRefreshLookInterval = 1000;  // milliseconds

LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

}  // namespace

void PresentRows(HDC dc, WindowEvents& events, int first, int end) {
  const gfx::Bitmap& frame = events.ComposeFrame();
  first = std::max(0, first);
  end = std::min(frame.Height(), end);
  if (dc == nullptr || first >= end) return;
  // The rows [first, end) as a top-down DIB of their own.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = frame.Width();
  info.bmiHeader.biHeight = -(end - first);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, first, static_cast<DWORD>(frame.Width()), static_cast<DWORD>(end - first), 0, 0, 0,
                    static_cast<UINT>(end - first), frame.Scanline(first), &info, DIB_RGB_COLORS);
}

void PresentIfDue(HWND window, NativeWindow& native) {
  // Nothing to ask the display about while no rows wait or the form holds them.
  if (!native.presents.Waiting()) return;
  if (native.refreshPeriod == 0) {
    native.refreshPeriod = PrimaryRefreshPeriod();
    native.nextRefreshLook = 0;
  }
  // The display's phase, looked at again every second: the periods the counter
  // can count stray from the display's by a little, which adds up over a run.
  const ULONGLONG tickCount = GetTickCount64();
  if (tickCount >= native.nextRefreshLook) {
    native.refreshedAt = DisplayRefreshedAt(native.refreshPeriod);
    native.nextRefreshLook = tickCount + kRefreshLookInterval;
  }
  runtime::DisplayTiming display;
  display.refreshPeriod = native.refreshPeriod;
  if (native.refreshedAt != 0) display.refreshedAt = native.refreshedAt;
  display.ticksPerSecond = CounterFrequency();
  const runtime::RowSpan rows = native.presents.TakeDue(Now(), display);
  if (rows.Empty()) return;
  HDC dc = GetDC(window);
  PresentRows(dc, *native.events, rows.first, rows.end);
  if (dc != nullptr) ReleaseDC(window, dc);
}

void LimitPresents(WindowHandle window, int framesPerSecond) {
  if (NativeWindow* native = NativeWindowOf(reinterpret_cast<HWND>(window))) native->presents.Limit(framesPerSecond);
}

void InvalidateRows(WindowHandle handle, int firstRow, int endRow) {
  const HWND window = reinterpret_cast<HWND>(handle);
  NativeWindow* native = NativeWindowOf(window);
  if (native == nullptr || firstRow >= endRow) return;
  if (native->tickInterval == 0) {
    RECT rows;
    GetClientRect(window, &rows);
    rows.top = firstRow;
    rows.bottom = endRow;
    InvalidateRect(window, &rows, FALSE);
    return;
  }
  native->presents.Ask(firstRow, endRow);
}

}  // namespace backend
