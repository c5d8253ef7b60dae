// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "ScreenSaverSettings.h"

#include "../startup/runtime/Backend.h"
#include "../startup/runtime/WindowsApi.h"
#include "InstallTarget.h"
#include "modSystemFolders.h"

namespace modInstallCheck {

namespace {

bool HoldsABlank(const std::wstring& path) { return path.find_first_of(L" \t") != std::wstring::npos; }

// The installed file as Explorer's Install verb names it: bare. desk.cpl takes all
// the text after its entry's name as the file, quotation marks included, so a
// quoted path could be chosen with its quotation marks. A blank would reach it
// whole as well, yet how each version of rundll32.exe and desk.cpl reads one is
// Windows' own affair: a path with a blank goes in its short form, which has
// none, and "" stands for a path that has no such form.
std::wstring VerbPath(const std::wstring& installed) {
  if (!HoldsABlank(installed)) return installed;
  const std::wstring shortPath = platform::GetShortPathName(installed);
  return HoldsABlank(shortPath) ? std::wstring() : shortPath;
}

}  // namespace

std::wstring InstallScreenSaverArguments(const std::wstring& path) {
  return L"desk.cpl,InstallScreenSaver " + path;
}

void OpenScreenSaverSettings(const std::wstring& installed) {
  // rundll32.exe is named by its full path in the system folder: a file of that
  // name beside the download, or anywhere a search would look, never runs. A
  // relative answer of the shell would resolve against the download's folder, and
  // a drive's root is writable by every user, so neither is taken.
  const std::wstring systemFolder = PlainPath(modSystemFolders::GetSpecialFolder(platform::kCsidlSystem));
  if (systemFolder.empty() || systemFolder.back() == L'\\') return;
  // No file of Windows has a quotation mark in its path: such a path names no
  // file the dialog could choose.
  if (installed.find(L'"') != std::wstring::npos) return;
  const std::wstring path = VerbPath(installed);
  if (path.empty()) return;

  // The system folder is also its working folder, so nothing the dialog loads is
  // looked for in the download's folder. A failed start changes nothing for the
  // user: the notice has already said how to choose the screen saver.
  backend::StartProgram(systemFolder + L"\\rundll32.exe", InstallScreenSaverArguments(path), systemFolder);
}

}  // namespace modInstallCheck
