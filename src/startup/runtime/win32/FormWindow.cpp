// Native windows of forms: a borderless popup per form. The window procedure only
// translates messages into the form's events; the form decides what they mean.
// Frames are composed by the form into device pixels and presented row ranges at a
// time, so the window never shows a half-drawn or erased frame.
#include "../Backend.h"
#include "resource.h"
#include "Win32.h"

#include <algorithm>

namespace backend {

namespace {

constexpr wchar_t kClassName[] = L"FrostlaneForm";

// The runtime's own timer, beside the form's timers (which count from 1): it
// presents the rows changed since the last frame, at most once per display refresh.
constexpr UINT_PTR kPresentTimer = 0x7F00;

struct NativeState {
  WindowEvents* events;
  bool blankPointer;
  int pendingFirst = 0;  // rows [pendingFirst, pendingEnd) wait to be presented
  int pendingEnd = 0;
  bool presentTimerRunning = false;
};

// Milliseconds between two presentations: one display refresh, a little under so
// that a coarse system timer does not round it up to two.
UINT PresentInterval() {
  HDC screen = GetDC(nullptr);
  const int refresh = screen != nullptr ? GetDeviceCaps(screen, VREFRESH) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  const int hertz = refresh > 1 ? refresh : 60;
  return static_cast<UINT>(std::max(1, 1000 / hertz - 1));
}

void PresentPending(HWND window, NativeState& state) {
  if (state.pendingFirst >= state.pendingEnd) {
    // Nothing changed since the last frame: rest until something does.
    KillTimer(window, kPresentTimer);
    state.presentTimerRunning = false;
    return;
  }
  RECT rows;
  GetClientRect(window, &rows);
  rows.top = state.pendingFirst;
  rows.bottom = state.pendingEnd;
  state.pendingFirst = state.pendingEnd = 0;
  InvalidateRect(window, &rows, FALSE);
  UpdateWindow(window);
}

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

NativeState* StateOf(HWND window) {
  return reinterpret_cast<NativeState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Present(HWND window, WindowEvents& events) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const gfx::Bitmap& frame = events.ComposeFrame();
  const int first = std::max<int>(0, paint.rcPaint.top);
  const int end = std::min<int>(frame.Height(), paint.rcPaint.bottom);
  if (dc != nullptr && first < end) {
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
  EndPaint(window, &paint);
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  NativeState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted by the frame: erasing would only flicker
    case WM_PAINT:
      Present(window, *state->events);
      return 0;
    case WM_SETCURSOR:
      if (state->blankPointer && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_BLANK_POINTER)));
        return TRUE;
      }
      break;
    case WM_CHAR:
      state->events->OnCharacter(static_cast<wchar_t>(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kPresentTimer) {
        PresentPending(window, *state);
      } else {
        state->events->OnTimer(static_cast<int>(wParam));
      }
      return 0;
    case WM_CLOSE:
      if (state->events->OnCloseRequest()) ::DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      state->events->OnCloseRequest();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) state->events->OnCloseRequest();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete state;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterFormClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                                      IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = nullptr;  // nothing is erased: the frame paints every pixel
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

WindowHandle CreateFormWindow(const WindowDesign& design, WindowEvents& events) {
  if (!RegisterFormClass()) return 0;
  // A tool window has no taskbar button; the program's windows never want one.
  const DWORD exStyle = design.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  HWND window = CreateWindowExW(exStyle, kClassName, design.caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return 0;
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new NativeState{&events, design.blankPointer}));
  return reinterpret_cast<WindowHandle>(window);
}

void PlaceWindow(WindowHandle window, const PixelRect& rect) {
  ::SetWindowPos(Hwnd(window), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowWindow(WindowHandle window, bool visible) {
  ::ShowWindow(Hwnd(window), visible ? SW_SHOW : SW_HIDE);
  // Paint at once, so the first thing seen of the window is its frame.
  if (visible) UpdateWindow(Hwnd(window));
}

void DestroyWindow(WindowHandle window) { ::DestroyWindow(Hwnd(window)); }

void InvalidateRows(WindowHandle window, int firstRow, int endRow) {
  NativeState* state = StateOf(Hwnd(window));
  if (state == nullptr || firstRow >= endRow) return;
  if (state->pendingFirst >= state->pendingEnd) {
    state->pendingFirst = firstRow;
    state->pendingEnd = endRow;
  } else {
    state->pendingFirst = std::min(state->pendingFirst, firstRow);
    state->pendingEnd = std::max(state->pendingEnd, endRow);
  }
  if (!state->presentTimerRunning) {
    state->presentTimerRunning = SetTimer(Hwnd(window), kPresentTimer, PresentInterval(), nullptr) != 0;
  }
}

bool StartTimer(WindowHandle window, int timerId, int intervalMilliseconds) {
  return SetTimer(Hwnd(window), static_cast<UINT_PTR>(timerId), static_cast<UINT>(intervalMilliseconds), nullptr) != 0;
}

void StopTimer(WindowHandle window, int timerId) { KillTimer(Hwnd(window), static_cast<UINT_PTR>(timerId)); }

PixelRect MonitorRectNearest(const PixelRect& rect) {
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return rect;
  return PixelRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace backend
