// The Windows entry point: the process runs the program's start-up and then lives
// in the event loop until the program ends itself.
#include "../../Project.h"
#include "DllSearch.h"
#include "Win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First of all, before the install's elevated run or any window can load a
  // DLL: a DLL lying beside the downloaded program must never be loaded.
  backend::LoadDllsOnlyFromSystemFolder();
  Project project;
  RunProgram(project);
  return 0;
}
