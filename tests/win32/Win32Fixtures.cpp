// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Win32Fixtures.h"

namespace {

constexpr wchar_t kOtherClass[] = L"FrostlaneTestOtherThread";
constexpr UINT kTakeForeground = WM_APP + 1;

// Generous for a busy machine: every wait ends as soon as what it waits for holds.
constexpr ULONGLONG kSettleLimit = 10000;  // milliseconds
constexpr ULONGLONG kQuietStretch = 100;   // milliseconds without a change of focus
constexpr ULONGLONG kBoxLimit = 20000;     // milliseconds

struct FocusState {
  HWND foreground;
  HWND active;
  HWND focus;
};

bool operator==(const FocusState& a, const FocusState& b) {
  return a.foreground == b.foreground && a.active == b.active && a.focus == b.focus;
}

FocusState CurrentFocus() { return {GetForegroundWindow(), GetActiveWindow(), GetFocus()}; }

LRESULT CALLBACK OtherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTakeForeground) return SetForegroundWindow(window);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool SettleUntil(const std::function<bool()>& holds) {
  const ULONGLONG limit = GetTickCount64() + kSettleLimit;
  FocusState seen = CurrentFocus();
  ULONGLONG quietSince = GetTickCount64();
  for (;; Sleep(10)) {
    PumpMessages();
    const ULONGLONG now = GetTickCount64();
    const FocusState state = CurrentFocus();
    if (!(state == seen) || !holds()) {
      seen = state;
      quietSince = now;
    } else if (now - quietSince >= kQuietStretch) {
      return true;
    }
    if (now >= limit) return holds();
  }
}

void Settle() {
  SettleUntil([] { return true; });
}

OtherThreadWindow::OtherThreadWindow() {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, Serve, this, 0, &threadId_);
  WaitForSingleObject(ready_, INFINITE);
}

OtherThreadWindow::~OtherThreadWindow() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(ready_);
}

void OtherThreadWindow::TakeForeground() {
  // Sent, so the other thread has acted when this returns; this thread serves
  // what the change sends it meanwhile.
  SendMessageW(window_, kTakeForeground, 0, 0);
}

DWORD WINAPI OtherThreadWindow::Serve(void* self) {
  auto& other = *static_cast<OtherThreadWindow*>(self);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = OtherWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kOtherClass;
  RegisterClassW(&windowClass);
  other.window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOtherClass, L"other thread", WS_POPUP | WS_VISIBLE, 50, 50, 200,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetEvent(other.ready_);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  DestroyWindow(other.window_);
  return 0;
}

BoxAnswerer::BoxAnswerer(std::wstring caption) : caption_(std::move(caption)) {
  thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

BoxAnswerer::~BoxAnswerer() { Join(); }

HWND BoxAnswerer::Join() {
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return owner_;
}

DWORD WINAPI BoxAnswerer::Watch(void* self) {
  auto& answerer = *static_cast<BoxAnswerer*>(self);
  for (const ULONGLONG limit = GetTickCount64() + kBoxLimit; GetTickCount64() < limit;) {
    HWND box = FindWindowW(L"#32770", answerer.caption_.c_str());
    if (box != nullptr && IsWindowVisible(box)) {
      answerer.owner_ = GetWindow(box, GW_OWNER);
      PostMessageW(box, WM_COMMAND, IDNO, 0);
      return 0;
    }
    Sleep(10);
  }
  return 0;
}
