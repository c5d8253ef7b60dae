// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Screen Saver settings of Windows, opened once an install has succeeded with
// the installed file chosen as the user's screen saver: the dialog then does what
// the installed notice asks of the user, who presses OK to activate it.
//
// Contract: `OpenScreenSaverSettings(installed)` starts rundll32.exe of the system
// folder (special folder 37, as the shell names it, made a plain path by the
// program) with the argument text `InstallScreenSaverArguments(path)`, in that
// folder, and does not wait for it. `installed` is the plain path the program
// copied itself to; `path` is that path bare, as Explorer's Install verb passes a
// file, or its short form (GetShortPathName) when it holds a blank or a tab.
// Nothing is started when the system folder is unknown, not an absolute path
// below a drive's root, when `installed` holds a double quotation mark, or when
// it holds a blank or a tab and has no short form without one. A start that fails
// is not told. Called only by the ordinary run, never by the elevated copy: the
// settings belong to the user who runs it.
#pragma once

#include <string>

namespace modInstallCheck {

// desk.cpl,InstallScreenSaver <path>
std::wstring InstallScreenSaverArguments(const std::wstring& path);

void OpenScreenSaverSettings(const std::wstring& installed);

}  // namespace modInstallCheck
