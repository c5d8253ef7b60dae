// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "frmBlack.h"

namespace {
runtime::FormDesign CoverDesign() {
  runtime::FormDesign design;
  design.caption = L"Form2";
  design.backColour = runtime::kBlack;
  design.showInTaskbar = false;
  design.blankPointer = true;
  design.windowState = runtime::WindowState::Normal;
  design.left = 0;
  design.top = 0;
  design.width = 4680;
  design.height = 3090;
  return design;
}
}  // namespace

frmBlack::frmBlack() : runtime::Form(CoverDesign()) {}
