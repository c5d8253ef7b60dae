// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Where the process looks for the DLLs it loads while it runs.
//
// The program is started from a downloads folder, and its install runs it again
// from there with an administrator's rights. Windows would look for a DLL that
// the program or a system DLL loads at run time in the program's own folder
// first, so any file of the right name that a site dropped there would run with
// the user's rights, or the administrator's.
#pragma once

namespace backend {

// Limits every later load of a DLL named without a folder to the system folder.
// It must run before anything that may load a DLL: the entry point calls it
// first. The DLLs the program imports are on Windows' list of known DLLs and
// always come from the system folder. On a Windows 7 that lacks the update
// bringing the limit, it takes only the current folder out of the search;
// nothing can be reported at this point, so it never fails.
void LoadDllsOnlyFromSystemFolder();

}  // namespace backend
