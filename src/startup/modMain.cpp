// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "modMain.h"

#include "../install/ElevatedCopy.h"
#include "../install/modInstallCheck.h"
#include "../monitors/frmBlack.h"
#include "../saver/frmAdvent1.h"
#include "Messages.h"
#include "Project.h"
#include "modDefaultBrowser.h"
#include "runtime/Application.h"
#include "runtime/Random.h"
#include "runtime/Text.h"

namespace modMain {

using runtime::Command;
using runtime::LCase;
using runtime::Like;

namespace {
constexpr int kShowNormal = 1;

void ConfigurationNotice(Project& project) {
  const auto answer = messages::Show(messages::Compose(messages::MessageId::NoSettings, {kMakerName}),
                                     runtime::vbYesNo + runtime::vbExclamation);
  if (answer == runtime::vbYes) modDefaultBrowser::OpenInBrowser(project.Black(), kMakerWebSite, kShowNormal);
  runtime::End();
}
}  // namespace

void Main(Project& project) {
  // The run the install starts with raised rights only copies, and must reach
  // neither the install question nor any mode: it is told apart by its exact
  // argument text, so any other text still picks a mode as before.
  if (Command() == modInstallCheck::kElevatedCopySwitch) modInstallCheck::RunElevatedCopy();

  // A failing step is skipped and the next one runs: every call below reports
  // failure by its result, and nothing here looks at it beyond the answers.
  modInstallCheck::CheckInstall();
  runtime::Randomize(runtime::SecondsSinceMidnight());

  // Both tests are made, each on a freshly read and lower-cased argument text.
  const bool asksForSettings = Like(LCase(Command()), L"/c*");
  const bool hasNoArguments = LCase(Command()) == L"";
  if (asksForSettings || hasNoArguments) ConfigurationNotice(project);

  if (Like(LCase(Command()), L"/p*")) runtime::End();

  runtime::App().SetTitle(L"");
  frmAdvent1& saver = project.Advent1();
  saver.Load();
  saver.Show(runtime::ShowStyle::Modal);
}

}  // namespace modMain
