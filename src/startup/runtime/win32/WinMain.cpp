// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Windows entry point: the process runs the program's start-up and then lives
// in the event loop until the program ends itself.
#include "../../Project.h"
#include "../Backend.h"
#include "Com.h"
#include "DllSearch.h"
#include "Win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First of all, before the install's elevated run or any window can load a
  // DLL: a DLL lying beside the downloaded program must never be loaded.
  backend::LoadDllsOnlyFromSystemFolder();
  backend::InitialiseCom();
  Project project;
  RunProgram(project);
  // Main returns only when the saver's window could not be made, so no event loop
  // ran: end, covers and all, instead of living on with nothing to wait for.
  backend::EndProgram();
}
