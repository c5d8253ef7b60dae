// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Covering every monitor in use but the primary one with a window of one colour,
// so that nothing of the desktop shows while the saver window fills the primary.
//
// BlankScreens runs once, from the saver window's load handler, and returns when
// every cover is shown. The covers belong to the module's list and stay, shown and
// topmost, until the program ends; nothing moves, hides or releases them, and a
// change of the monitor layout during the run is not followed. Every step runs with
// errors ignored: a step that fails is skipped and the next one runs.
#pragma once

#include <memory>
#include <vector>

#include "../startup/runtime/Types.h"

class frmBlack;

namespace modScreens {

// The module's state: the cover windows, one slot per screen in use but one.
struct Module {
  Module();
  ~Module();
  std::vector<std::unique_ptr<frmBlack>> Covers;
};

// Covers every screen in use, except the one that clsScreens names primary, with a
// borderless window of `colour` placed on that screen's work area. With fewer than
// two screens in use nothing is covered.
void BlankScreens(Module& module, runtime::Colour colour);

}  // namespace modScreens
