// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The program's forms and module-level state: the default instance of each form,
// made on first use, and the list of cover windows. One Project lives for the
// whole run; nothing in it is released before the program ends.
#pragma once

#include <memory>

#include "ProductIdentity.h"

#include "../monitors/modScreens.h"

class frmAdvent1;
class frmBlack;

// The title the program is built with; message boxes without a caption carry it.
inline constexpr const wchar_t* kApplicationTitle = FROSTLANE_TITLE_W;

class Project {
 public:
  Project();
  ~Project();
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  frmAdvent1& Advent1();
  frmBlack& Black();
  modScreens::Module& Screens() { return screens_; }

 private:
  std::unique_ptr<frmAdvent1> advent1_;
  std::unique_ptr<frmBlack> black_;
  modScreens::Module screens_;
};

// Sets the build-time title and runs Main: what the process does from its start.
void RunProgram(Project& project);
