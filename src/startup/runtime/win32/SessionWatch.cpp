// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The session as Windows tells of it: a window asks the session manager to tell
// it when its session is connected, disconnected, locked or unlocked, and the
// forms ask whether a screen shows the session and whether it is remote. Under
// Wine none of these notices ever comes and the question of the session's state
// fails; the forms take such a session as shown.
#include "NativeWindow.h"

// Only the declarations: wtsapi32 is looked up at run time.
#include <wtsapi32.h>

namespace backend {

namespace {

// wtsapi32 is not one of Windows' known DLLs: it is loaded from the system folder
// by name, never imported, so no file of that name beside the program is loaded.
HMODULE LoadWtsapi() { return LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

BOOL CALLBACK StopListening(HWND window, LPARAM) {
  if (IsFormWindow(window)) {
    if (NativeWindow* native = NativeWindowOf(window)) StopListeningForSessionChanges(window, *native);
  }
  return TRUE;
}

}  // namespace

void ListenForSessionChanges(HWND window, NativeWindow& native) {
  native.wtsapi = LoadWtsapi();
  if (native.wtsapi == nullptr) return;
  const auto listen =
      Find<decltype(&::WTSRegisterSessionNotification)>(native.wtsapi, "WTSRegisterSessionNotification");
  if (listen != nullptr) listen(window, NOTIFY_FOR_THIS_SESSION);
}

void StopListeningForSessionChanges(HWND window, NativeWindow& native) {
  if (native.wtsapi == nullptr) return;
  const auto stop =
      Find<decltype(&::WTSUnRegisterSessionNotification)>(native.wtsapi, "WTSUnRegisterSessionNotification");
  // Wine answers FALSE even for a window it registered; the answer changes nothing.
  if (stop != nullptr) stop(window);
  FreeLibrary(native.wtsapi);
  native.wtsapi = nullptr;
}

void StopListeningForSessionChangesEverywhere() {
  // The program's end destroys no window, so none would stop listening itself.
  EnumThreadWindows(GetCurrentThreadId(), StopListening, 0);
}

void SessionNotice(NativeWindow& native, WPARAM event, LPARAM sessionId) {
  SessionChange change;
  switch (event) {
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
      change = SessionChange::Connected;
      break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
      change = SessionChange::Disconnected;
      break;
    case WTS_SESSION_LOCK:
      change = SessionChange::Locked;
      break;
    case WTS_SESSION_UNLOCK:
      change = SessionChange::Unlocked;
      break;
    default:
      return;  // logons, logoffs, remote control: nothing that a form acts on
  }
  native.events->OnSessionChange(change, static_cast<unsigned long>(sessionId));
}

bool ProcessSessionId(unsigned long& sessionId) {
  DWORD id = 0;
  if (!ProcessIdToSessionId(GetCurrentProcessId(), &id)) return false;
  sessionId = id;
  return true;
}

ConnectState ConnectStateOf(int wtsConnectState) {
  // Active, connected, shadowed or asked to connect, a screen may show the
  // session; only a disconnected one is shown nowhere.
  return wtsConnectState == WTSDisconnected ? ConnectState::Disconnected : ConnectState::Connected;
}

ConnectState SessionConnectState() {
  HMODULE wtsapi = LoadWtsapi();
  if (wtsapi == nullptr) return ConnectState::Unknown;
  const auto query = Find<decltype(&::WTSQuerySessionInformationW)>(wtsapi, "WTSQuerySessionInformationW");
  const auto release = Find<decltype(&::WTSFreeMemory)>(wtsapi, "WTSFreeMemory");
  ConnectState state = ConnectState::Unknown;
  LPWSTR answer = nullptr;
  DWORD bytes = 0;
  if (query != nullptr && release != nullptr &&
      query(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSConnectState, &answer, &bytes) && answer != nullptr) {
    if (bytes >= sizeof(WTS_CONNECTSTATE_CLASS)) state = ConnectStateOf(*reinterpret_cast<const WTS_CONNECTSTATE_CLASS*>(answer));
    release(answer);
  }
  FreeLibrary(wtsapi);
  return state;
}

bool RemoteSessionMetric() { return ::GetSystemMetrics(SM_REMOTESESSION) != 0; }

bool GlassSessionId(unsigned long& sessionId) {
  DWORD id = 0, size = sizeof id;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Terminal Server", L"GlassSessionId",
                   RRF_RT_REG_DWORD, nullptr, &id, &size) != ERROR_SUCCESS) {
    return false;
  }
  sessionId = id;
  return true;
}

bool ClientAreaAnimation() {
  BOOL animations = TRUE;
  return !SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0) || animations != FALSE;
}

}  // namespace backend
