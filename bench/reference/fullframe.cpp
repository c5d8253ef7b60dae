// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// fullframe: the yardstick of bench/wine_cpu.py. A borderless window over the
// whole primary monitor that presents every pixel of a 32-bit frame every 10 ms,
// through the same call the saver presents with (SetDIBitsToDevice), so the CPU
// the saver spends can be read as a share of presenting full frames at its tick.
//
// Command line: the number of seconds to run (none or 0: until closed). A key
// or a request to close ends it early. The frame's content stays the same: the
// yardstick is the cost of presenting, not of drawing.
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMilliseconds = 10;

struct Frame {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // top-down rows of 0x00RRGGBB
  BITMAPINFO info{};
};

Frame frame;
ULONGLONG endTick = 0;  // GetTickCount64 at which to stop; 0: never

void MakeFrame(int width, int height) {
  frame.width = width;
  frame.height = height;
  frame.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  // Stripes of colour, so the frame is not one flat colour a driver could shortcut.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      frame.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          static_cast<DWORD>(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x + y) & 0xFF));
    }
  }
  frame.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  frame.info.bmiHeader.biWidth = width;
  frame.info.bmiHeader.biHeight = -height;  // top-down
  frame.info.bmiHeader.biPlanes = 1;
  frame.info.bmiHeader.biBitCount = 32;
  frame.info.bmiHeader.biCompression = BI_RGB;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (endTick != 0 && GetTickCount64() >= endTick) {
        DestroyWindow(window);
      } else {
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(frame.width), static_cast<DWORD>(frame.height), 0, 0, 0,
                        static_cast<UINT>(frame.height), frame.pixels.data(), &frame.info, DIB_RGB_COLORS);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted anyway
    case WM_CHAR:
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const double seconds = std::wcstod(commandLine, nullptr);
  if (seconds > 0) endTick = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);

  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  MakeFrame(width, height);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  windowClass.lpszClassName = L"FrostlaneFullFrame";
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"fullframe", WS_POPUP | WS_VISIBLE, 0, 0,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr || SetTimer(window, kTimerId, kTimerMilliseconds, nullptr) == 0) return 1;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
