// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The install check: run as a downloaded ".exe", the program offers to install
// itself into the Windows folder as a screen saver and ends; started any other way
// (the installed ".scr" above all) it returns at once and start-up goes on.
//
// Contract: `CheckInstall` returns only when no ordinary file named
// `App.Path` + "\" + `App.EXEName` + ".exe" exists; a hidden or system file or a
// folder of that name does not count, and a failed lookup counts as none.
// Otherwise it asks, copies on Yes, tells the user the outcome and ends the
// program; it never returns then. A copy refused for want of rights is made once
// more by a run of the program with an administrator's rights (ElevatedCopy.h),
// the system asking the user for them; every other failure is told at once. A
// failed copy is told as such, with the system's reason, and leaves no partial
// file behind. Once the notice of a copy in place is answered, the Screen Saver
// settings open with the installed file chosen (ScreenSaverSettings.h).
#pragma once

#include <string>

#include "../startup/Messages.h"

namespace modInstallCheck {

// The messages the user meets, in the user's language (Messages.h). The title is
// the application title.
messages::Message InstallQuestion(const std::wstring& title);
messages::Message InstalledNotice(const std::wstring& title);
messages::Message FailureNotice(const std::wstring& target, const std::wstring& reason);

// The name the screen saver is installed under, before its ".scr": the title with
// every blank turned into "_".
std::wstring InstallName(const std::wstring& title);

// Returns when there is nothing to install; otherwise ends the program.
void CheckInstall();

}  // namespace modInstallCheck
