// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// What the Win32 tests make to drive the real machine: a form that counts its
// events, a window of another thread that can take the foreground, and a helper
// that answers a message box from another thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "startup/runtime/Form.h"
#include "startup/runtime/win32/Win32.h"

class CountingForm : public runtime::Form {
 public:
  CountingForm() : runtime::Form(runtime::FormDesign{}) {}

  HWND Window() { return reinterpret_cast<HWND>(hWnd()); }

  int queries = 0;
  int unloads = 0;
  int terminates = 0;
  int locks = 0;
  std::int16_t unloadMode = -1;
  bool cancelQuery = false;

 protected:
  void Form_QueryUnload(std::int16_t& cancel, std::int16_t mode) override {
    ++queries;
    unloadMode = mode;
    if (cancelQuery) cancel = -1;
  }
  void Form_Unload(std::int16_t&) override { ++unloads; }
  void Form_Terminate() override { ++terminates; }
  void Form_Locked() override { ++locks; }
};

// Handles every message waiting for this thread's windows.
void PumpMessages();

// Handles this thread's messages until `holds` is true and the window system's
// late reports of focus and activation have come: the foreground, active and
// focus windows have not changed for a tenth of a second while it held. Gives
// up after ten seconds, which only a very busy machine needs; returns whether
// `holds` is true then.
bool SettleUntil(const std::function<bool()>& holds);

// The same, waiting for nothing but the window system's quiet.
void Settle();

// A visible window served by a thread of its own.
class OtherThreadWindow {
 public:
  OtherThreadWindow();
  ~OtherThreadWindow();
  OtherThreadWindow(const OtherThreadWindow&) = delete;
  OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

  HWND Window() const { return window_; }
  // Makes it the foreground window from its own thread.
  void TakeForeground();

 private:
  static DWORD WINAPI Serve(void* self);
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

// Waits on another thread for a message box titled `caption` of this process,
// notes its owner and answers No. Join() returns the owner, or
// INVALID_HANDLE_VALUE when no box came within twenty seconds.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::wstring caption);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  HWND Join();

 private:
  static DWORD WINAPI Watch(void* self);
  std::wstring caption_;
  HWND owner_ = static_cast<HWND>(INVALID_HANDLE_VALUE);
  HANDLE thread_ = nullptr;
};
