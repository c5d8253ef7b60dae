// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Project.h"

#include "../monitors/frmBlack.h"
#include "../saver/frmAdvent1.h"
#include "modMain.h"
#include "runtime/Application.h"

Project::Project() = default;
Project::~Project() = default;

frmAdvent1& Project::Advent1() {
  if (!advent1_) advent1_ = std::make_unique<frmAdvent1>(*this);
  return *advent1_;
}

frmBlack& Project::Black() {
  if (!black_) black_ = std::make_unique<frmBlack>();
  return *black_;
}

void RunProgram(Project& project) {
  runtime::App().SetTitle(kApplicationTitle);
  modMain::Main(project);
}
