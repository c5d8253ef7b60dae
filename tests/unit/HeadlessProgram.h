// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Runs the program on a fresh headless machine, as Windows would start it.
#pragma once

#include <string>

#include "saver/frmAdvent1.h"
#include "startup/Project.h"
#include "startup/runtime/headless/Machine.h"

class HeadlessProgram {
 public:
  HeadlessProgram() { headless::Reset(); }

  headless::Machine& machine() { return headless::TheMachine(); }

  // Starts the program with `arguments` and runs it until Main returns or the
  // program ends.
  void Start(const std::wstring& arguments) {
    machine().commandLine = arguments;
    machine().Run([this] { RunProgram(project_); });
  }

  Project& project() { return project_; }
  frmAdvent1& saver() { return project_.Advent1(); }

 private:
  Project project_;
};
