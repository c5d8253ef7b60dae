#include "Win32Fixtures.h"

namespace {

constexpr wchar_t kOtherClass[] = L"FrostlaneTestOtherThread";
constexpr UINT kTakeForeground = WM_APP + 1;

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

void Settle() {
  for (const ULONGLONG end = GetTickCount64() + 200; GetTickCount64() < end; Sleep(10)) PumpMessages();
  PumpMessages();
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
  for (int tries = 0; tries < 500; ++tries) {
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
