// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Whether the screen shows the program's own desktop. While Windows shows another
// one (the lock screen's, another user's, a secure prompt's), the program's
// windows are out of sight and it cannot even read the pointer. The two desktops
// are compared by name: a handle opened anew is never the thread's own handle.
#include <string>

#include "NativeWindow.h"

namespace backend {

namespace {

// The desktop's name, "" when it cannot be read. Windows' own names are short;
// a longer one is not one of them.
std::wstring DesktopName(HDESK desktop) {
  wchar_t name[256] = {};
  DWORD needed = 0;
  if (desktop == nullptr || !GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name - sizeof name[0], &needed)) {
    return std::wstring();
  }
  return name;
}

}  // namespace

bool InputDesktopIsOwn() {
  // An input desktop the user may not open (the lock screen's) is another one.
  HDESK input = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
  const std::wstring shown = DesktopName(input);
  if (input != nullptr) CloseDesktop(input);
  // The thread's desktop handle belongs to the system and is not closed.
  const std::wstring own = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
  return !shown.empty() && CompareStringOrdinal(shown.c_str(), -1, own.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace backend
