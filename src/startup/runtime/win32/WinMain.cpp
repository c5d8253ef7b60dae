// The Windows entry point: the process runs the program's start-up and then lives
// in the event loop until the program ends itself.
#include "../../Project.h"
#include "Win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Project project;
  RunProgram(project);
  return 0;
}
