// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "modInstallCheck.h"

#include "../startup/runtime/Application.h"
#include "../startup/runtime/Text.h"
#include "../startup/runtime/WindowsApi.h"
#include "ElevatedCopy.h"
#include "InstallTarget.h"
#include "ScreenSaverSettings.h"
#include "WholeCopy.h"
#include "modSystemFolders.h"

namespace modInstallCheck {

using runtime::App;

namespace {

// The file the program would have been downloaded as: its own folder and name
// with ".exe". Built afresh at each use, so the lookup and the copy each read
// the application object themselves.
std::wstring RunningFile() { return App().Path() + L"\\" + App().EXEName() + L".exe"; }

[[noreturn]] void ReportFailure(const std::wstring& target, const std::wstring& reason) {
  messages::Show(FailureNotice(target, reason), runtime::vbOKOnly + runtime::vbExclamation);
  runtime::End();
}

std::wstring Reason(messages::MessageId id) { return messages::Compose(id).text; }

}  // namespace

messages::Message InstallQuestion(const std::wstring& title) {
  return messages::Compose(messages::MessageId::InstallQuestion, {title});
}

messages::Message InstalledNotice(const std::wstring& title) {
  return messages::Compose(messages::MessageId::Installed, {title});
}

messages::Message FailureNotice(const std::wstring& target, const std::wstring& reason) {
  return messages::Compose(messages::MessageId::InstallFailed, {target, reason});
}

std::wstring InstallName(const std::wstring& title) { return runtime::Replace(title, L" ", L"_"); }

void CheckInstall() {
  // Mask 0 finds ordinary files only: a hidden or system file, or a folder, of
  // that name is no downloaded installer.
  if (runtime::Dir(RunningFile(), runtime::vbNormal).empty()) return;

  // A box that cannot be shown is no Yes: the program ends without copying.
  const auto answer = messages::Show(InstallQuestion(App().Title()), runtime::vbYesNo + runtime::vbExclamation);
  if (answer != runtime::vbYes) runtime::End();

  // The 32-bit system folder's parent is the Windows folder. Without it there is
  // no place to install to: a bare "\..\" would land in the root of the drive.
  const std::wstring systemFolder = modSystemFolders::GetSpecialFolder(platform::kCsidlSystemX86);
  if (systemFolder.empty()) {
    ReportFailure(InstallName(App().Title()) + L".scr", Reason(messages::MessageId::NoWindowsFolder));
  }
  const InstallTarget target = TargetFor(systemFolder, App().Title());
  if (target.path.empty()) ReportFailure(target.named, Reason(messages::MessageId::OutsideWindowsFolder));

  // The Windows folder is writable only with an administrator's rights, which
  // this run does not hold even for an administrator. The copy is tried once
  // more in a run that holds them, whether or not this one seems to: when it
  // already does, that run fails the same way and its failure is told.
  backend::ErrorCode error = CopyWholeOrNothing(RunningFile(), target.path);
  if (LacksRights(error)) error = CopyInElevatedRun();
  if (error != 0) ReportFailure(target.named, backend::ErrorDescription(error));

  // The notice stays as it is; the Screen Saver settings, opened once it is
  // answered, then do what it asks.
  messages::Show(InstalledNotice(App().Title()), runtime::vbOKOnly + runtime::vbExclamation);
  OpenScreenSaverSettings(target.path);
  runtime::End();
}

}  // namespace modInstallCheck
