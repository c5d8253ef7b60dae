// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The window that a request for the settings names. Windows starts a screen
// saver's settings as "/c:HWND" (also seen as "/c HWND") with the window of the
// dialog that asked, so that the program's message boxes sit on that window and
// keep it from asking twice.
#pragma once

#include <string>

#include "Types.h"

namespace runtime {

// The window named by `arguments`: "/c" or "/C", then ":" or blanks, then decimal
// digits worth at most 32 bits (a window handle's size on every Windows, widened
// as Windows widens it), then nothing but blanks. Anything else names no window
// and gives 0. Whether a window of that number exists is the machine's to check.
WindowHandle SettingsOwner(const std::wstring& arguments);

}  // namespace runtime
