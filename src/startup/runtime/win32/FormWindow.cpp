// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Native windows of forms: a borderless popup per form. The window procedure only
// translates messages into the form's events; the form decides what they mean.
#include "NativeWindow.h"
#include "resource.h"

#include <imm.h>

namespace backend {

namespace {

constexpr wchar_t kClassName[] = L"FrostlaneForm";

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

void Paint(HWND window, NativeWindow& native) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PresentRows(dc, *native.events, paint.rcPaint.top, paint.rcPaint.bottom);
  EndPaint(window, &paint);
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  NativeWindow* native = NativeWindowOf(window);
  if (native != nullptr && message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    StopListeningForDisplayPower(*native);
    StopListeningForSessionChanges(window, *native);
    if (native->ticking) {
      native->orphaned = true;
    } else {
      delete native;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // A window being destroyed, or not yet set up, serves no form.
  if (native == nullptr || native->events == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted by the frame: erasing would only flicker
    case WM_PAINT:
      Paint(window, *native);
      return 0;
    case WM_SETCURSOR:
      if (native->blankPointer && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_BLANK_POINTER)));
        return TRUE;
      }
      break;
    case WM_CHAR:
      native->events->OnCharacter(static_cast<wchar_t>(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTickTimer) OnTick(window, *native);
      return 0;
    case WM_SYSCOMMAND:
      // Windows' idle timer asks the foreground window to start the configured
      // saver; it must never start over this program's windows.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_CLOSE:
      if (native->events->OnCloseRequest()) ::DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      return native->events->OnEndSessionQuery() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam && native->events->OnEndSession()) ::DestroyWindow(window);
      return 0;
    case WM_DISPLAYCHANGE:
      DisplaysChanged(*native);
      break;
    case WM_POWERBROADCAST:
      if (wParam != PBT_POWERSETTINGCHANGE || lParam == 0) break;
      DisplayPowerNotice(*native, *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
      return TRUE;
    case WM_WTSSESSION_CHANGE:
      SessionNotice(*native, wParam, lParam);
      return 0;
    case WM_SETTINGCHANGE:
      native->events->OnSettingsChanged();
      break;
    case WM_DPICHANGED:
      // Not the rectangle the message suggests (the old one scaled): the form puts
      // its window where it belongs, on its monitor's rectangle.
      native->events->OnDpiChanged();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// One class serves every form window, registered with the first of them. Its
// icons are the shared copies, which the system keeps once for the process.
bool RegisterFormClass() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, kClassName, &windowClass)) return true;
  windowClass = WNDCLASSEXW{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = nullptr;  // nothing is erased: the frame paints every pixel
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

NativeWindow* NativeWindowOf(HWND window) {
  return reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool IsFormWindow(HWND window) {
  // Other windows of the thread (message boxes) keep their own data in the same slot.
  wchar_t className[sizeof kClassName / sizeof kClassName[0] + 1] = {};
  return GetClassNameW(window, className, static_cast<int>(sizeof className / sizeof className[0])) != 0 &&
         lstrcmpW(className, kClassName) == 0;
}

WindowHandle CreateFormWindow(const WindowDesign& design, WindowEvents& events) {
  if (!RegisterFormClass()) return 0;
  // A tool window has no taskbar button; the program's windows never want one.
  const DWORD exStyle = design.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  HWND window = CreateWindowExW(exStyle, kClassName, design.caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return 0;
  // No input method for the program's windows: with one active, a letter key
  // would start a composition instead of typing the character that ends the saver.
  ImmAssociateContextEx(window, nullptr, 0);
  auto* native = new NativeWindow;
  native->events = &events;
  native->blankPointer = design.blankPointer;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native));
  ListenForDisplayPower(window, *native);
  ListenForSessionChanges(window, *native);
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

void DestroyWindow(WindowHandle window) {
  // Cut the form off first: destruction sends messages of its own.
  if (NativeWindow* native = NativeWindowOf(Hwnd(window))) native->events = nullptr;
  ::DestroyWindow(Hwnd(window));
}

}  // namespace backend
