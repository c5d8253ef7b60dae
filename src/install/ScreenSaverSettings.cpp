#include "ScreenSaverSettings.h"

#include "../startup/runtime/Backend.h"
#include "../startup/runtime/WindowsApi.h"
#include "InstallTarget.h"
#include "modSystemFolders.h"

namespace modInstallCheck {

std::wstring InstallScreenSaverArguments(const std::wstring& installed) {
  // The file is quoted, as a path on a command line is, so that it reads as one
  // whatever blanks the Windows folder's path holds.
  return L"desk.cpl,InstallScreenSaver \"" + installed + L"\"";
}

void OpenScreenSaverSettings(const std::wstring& installed) {
  // rundll32.exe is named by its full path in the system folder: a file of that
  // name beside the download, or anywhere a search would look, never runs. A
  // relative answer of the shell would resolve against the download's folder, and
  // a drive's root is writable by every user, so neither is taken.
  const std::wstring systemFolder = PlainPath(modSystemFolders::GetSpecialFolder(platform::kCsidlSystem));
  if (systemFolder.empty() || systemFolder.back() == L'\\') return;
  // A quotation mark in the path would end the quoted file early.
  if (installed.find(L'"') != std::wstring::npos) return;

  // The system folder is also its working folder, so nothing the dialog loads is
  // looked for in the download's folder. A failed start changes nothing for the
  // user: the notice has already said how to choose the screen saver.
  backend::StartProgram(systemFolder + L"\\rundll32.exe", InstallScreenSaverArguments(installed), systemFolder);
}

}  // namespace modInstallCheck
