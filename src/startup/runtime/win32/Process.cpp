// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The process on Windows: its file, command line, clock, screen density, end and
// event loop.
#include <string>

#include "../Backend.h"
#include "NativeWindow.h"
#include "Win32.h"

// Only the declarations: the functions themselves are looked up at run time.
#include <shellscalingapi.h>

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

// The effective density of the primary monitor, from shcore (Windows 8.1 on). The
// library is looked up at run time, from the system folder only, so the program
// still starts where it is missing; 0 when it cannot answer.
int AskMonitorDpi() {
  HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (shcore == nullptr) return 0;
  const auto getDpiForMonitor = reinterpret_cast<decltype(&::GetDpiForMonitor)>(
      reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  UINT x = 0, y = 0;
  const POINT origin{0, 0};  // the primary monitor's top left corner
  // The effective density is the one the user's scale gives, which is what the
  // program draws for.
  const bool answered =
      getDpiForMonitor != nullptr &&
      SUCCEEDED(getDpiForMonitor(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), MDT_EFFECTIVE_DPI, &x, &y));
  FreeLibrary(shcore);
  return answered ? static_cast<int>(x) : 0;
}

// The system's density from user32 (Windows 10 1607 on); 0 where it is missing.
int AskSystemDpi() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return 0;
  const auto getDpiForSystem = reinterpret_cast<decltype(&::GetDpiForSystem)>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")));
  return getDpiForSystem != nullptr ? static_cast<int>(getDpiForSystem()) : 0;
}

// What every Windows answers: the screen device's logical pixels per inch.
int AskDeviceDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dotsPerInch;
}

}  // namespace

// The program is per-monitor aware (its manifest says so), so each of these gives
// the true density rather than 96. The primary monitor's own comes first: the
// system's is the primary's at sign-in and lags behind a scale changed since.
int PrimaryDotsPerInch() {
  for (int (*ask)() : {AskMonitorDpi, AskSystemDpi, AskDeviceDpi}) {
    const int dotsPerInch = ask();
    if (dotsPerInch > 0) return dotsPerInch;
  }
  return 0;
}

void EndProgram() {
  // Every registration for session notices is matched by its release, as the
  // session manager asks, though the process is about to end.
  StopListeningForSessionChangesEverywhere();
  ExitProcess(0);
}

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

bool StartProgram(const std::wstring& file, const std::wstring& arguments, const std::wstring& folder) {
  // A program reads its arguments after its own path, which comes first, quoted.
  std::wstring commandLine = L"\"" + file + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // Named as the application, the file is never looked for along a search path.
  // CreateProcess returns once the process exists: the start cannot be cut short
  // by this program ending next, and nothing waits for the new one.
  if (!CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
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
