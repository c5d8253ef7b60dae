// The process on Windows: its file, command line, clock, screen scale, end and
// event loop.
#include <string>

#include "../Backend.h"
#include "Win32.h"

namespace backend {

std::wstring ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
}

std::wstring CommandLineArguments() {
  const wchar_t* cursor = GetCommandLineW();
  // Skip the program's own path, quoted or not, then the blanks after it.
  if (*cursor == L'"') {
    ++cursor;
    while (*cursor != L'\0' && *cursor != L'"') ++cursor;
    if (*cursor == L'"') ++cursor;
  } else {
    while (*cursor != L'\0' && *cursor != L' ' && *cursor != L'\t') ++cursor;
  }
  while (*cursor == L' ' || *cursor == L'\t') ++cursor;
  return std::wstring(cursor);
}

double SecondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

namespace {

double AskTwipsPerPixel(int axis) {
  HDC screen = GetDC(nullptr);
  const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, axis) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96);
}

// The screen's scale, asked once: it is read on every move of every strip, and
// each question is a trip to the window server (under Wine, to wineserver). A
// program that does not declare itself DPI-aware keeps one scale for its life.
struct ScreenScale {
  double x = AskTwipsPerPixel(LOGPIXELSX);
  double y = AskTwipsPerPixel(LOGPIXELSY);
};

const ScreenScale& Scale() {
  static const ScreenScale scale;
  return scale;
}

}  // namespace

double TwipsPerPixelX() { return Scale().x; }
double TwipsPerPixelY() { return Scale().y; }

void EndProgram() { ExitProcess(0); }

void EndProgramWithStatus(ErrorCode status) { ExitProcess(static_cast<UINT>(status)); }

unsigned long ProcessId() { return GetCurrentProcessId(); }

ErrorCode RunElevatedAndWait(const std::wstring& file, const std::wstring& parameters, ErrorCode& exitStatus) {
  // The shell may hand the start to extensions that need COM, which the process
  // joined when it started (Com.h).
  SHELLEXECUTEINFOW start{};
  start.cbSize = sizeof start;
  // The process handle to wait on; the start finished before the call returns;
  // any error comes back to us instead of as a box of the shell's own.
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  start.lpVerb = L"runas";
  start.lpFile = file.c_str();
  start.lpParameters = parameters.c_str();
  start.nShow = SW_HIDE;
  ErrorCode error = 0;
  if (!ShellExecuteExW(&start)) {
    error = GetLastError();
    if (error == 0) error = ERROR_GEN_FAILURE;  // a failure the shell gave no reason for
  } else if (start.hProcess == nullptr) {
    error = ERROR_INVALID_HANDLE;  // started, but with nothing to wait on: its outcome is unknown
  } else {
    WaitForSingleObject(start.hProcess, INFINITE);
    DWORD status = 0;
    if (GetExitCodeProcess(start.hProcess, &status)) {
      exitStatus = status;
    } else {
      error = GetLastError();
    }
    CloseHandle(start.hProcess);
  }
  return error;
}

void RunEventLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style, WindowHandle owner) {
  // The owner's number comes from the command line: only a window that exists is taken.
  HWND ownerWindow = reinterpret_cast<HWND>(owner);
  if (ownerWindow != nullptr && !IsWindow(ownerWindow)) ownerWindow = nullptr;
  return MessageBoxW(ownerWindow, text.c_str(), caption.c_str(), style);
}

bool LoadControl(const std::wstring&, int) { return true; }

}  // namespace backend
