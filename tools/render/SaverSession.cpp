// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "SaverSession.h"

#include <cstdio>

#include "saver/frmAdvent1.h"
#include "startup/runtime/headless/Machine.h"

namespace render {

SaverSession::SaverSession(const SaverSetup& setup) {
  headless::Reset();
  headless::Machine& machine = headless::TheMachine();
  machine.SetMonitors({std::to_string(setup.width) + "x" + std::to_string(setup.height) + "+0+0"});
  machine.dotsPerInch = setup.dotsPerInch;
  machine.secondsSinceMidnight = setup.seed;
  machine.commandLine = L"/s";
  machine.modulePath = L"C:\\WINDOWS\\" FROSTLANE_INSTALLED_NAME_W;
  project_ = std::make_unique<Project>();
  machine.Run([this] { RunProgram(*project_); });
}

// The program's windows refer to the project; it goes before the machine does.
SaverSession::~SaverSession() = default;

bool SaverSession::Running() const { return !headless::TheMachine().ended; }

void SaverSession::Tick(int ticks) { headless::TheMachine().Advance(static_cast<std::int64_t>(ticks) * kTickMilliseconds); }

const gfx::Bitmap& SaverSession::Frame() { return project_->Advent1().Frame(); }

bool ParseSize(const std::string& text, int& width, int& height) {
  char rest = 0;
  int w = 0, h = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &rest) != 2 || w <= 0 || h <= 0) return false;
  width = w;
  height = h;
  return true;
}

}  // namespace render
