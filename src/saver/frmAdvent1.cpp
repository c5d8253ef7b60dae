// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "frmAdvent1.h"

#include "../monitors/modScreens.h"
#include "../startup/Project.h"
#include "../startup/runtime/Application.h"
#include "../startup/runtime/Random.h"
#include "../startup/runtime/Text.h"
#include "../startup/runtime/WindowsApi.h"
#include "lib_ontop.h"

namespace {
constexpr int kTimerInterval = 10;

runtime::FormDesign SaverDesign() {
  runtime::FormDesign design;
  design.caption = L"Form1";
  design.backColour = runtime::kWhite;
  design.showInTaskbar = false;
  design.blankPointer = true;
  design.windowState = runtime::WindowState::Maximised;
  return design;
}
}  // namespace

frmAdvent1::frmAdvent1(Project& project)
    : runtime::Form(SaverDesign()),
      Timer1(*this, 1, kTimerInterval, [this] { Timer1_Timer(); }),
      Timer2(*this, 2, kTimerInterval, [this] { Timer2_Timer(); }, runtime::TimerUse::Animation),
      Image1(L"Image1", PictureSetFactory()),
      Picture1(L"Picture1", StripFactory(Picture1, 720, 0)),
      Picture2(L"Picture2", StripFactory(Picture2, 2040, 1)),
      project_(project) {
  DesignControls();
}

void frmAdvent1::Form_Load() {
  // Each step may fail; the next one runs regardless.
  if (!runtime::Like(runtime::LCase(runtime::App().EXEName()), L"prj*")) lib_ontop::SetOnTop(*this, true);
  SetWindowState(runtime::WindowState::Maximised);
  modScreens::BlankScreens(project_.Screens(), runtime::kBlack);
  SetVisible(true);
  runtime::Randomize(runtime::SecondsSinceMidnight());
  Timer1.SetEnabled(true);
  Init();
}

void frmAdvent1::Timer1_Timer() {
  CheckStuff();
  if (!Timer2.Enabled()) Timer2.SetEnabled(true);
}

void frmAdvent1::CheckStuff() {
  // Only a reading the system gave counts: while another desktop is on the screen
  // (the lock screen, another user's) the pointer cannot be read at all, which is
  // no movement. The reference is the first reading that succeeds, and the
  // readings after a gap are compared with it as before.
  runtime::Point p;
  if (platform::GetCursorPos(p)) {
    if (!StartPosTaken) {
      StartPosTaken = true;
      StartPos = p;
    } else if (StartPos.X != p.X || StartPos.Y != p.Y) {
      runtime::End();
    }
  }
  const runtime::WindowHandle own = hWnd();
  if (platform::GetActiveWindow() != own) {
    platform::SetActiveWindow(own);
    platform::SetForegroundWindow(own);
  }
}

void frmAdvent1::Form_KeyPress(std::int16_t&) { runtime::End(); }
void frmAdvent1::Form_QueryUnload(std::int16_t&, std::int16_t) { runtime::End(); }
void frmAdvent1::Form_Unload(std::int16_t&) { runtime::End(); }
void frmAdvent1::Form_Terminate() { runtime::End(); }
void frmAdvent1::Form_Locked() { runtime::End(); }
