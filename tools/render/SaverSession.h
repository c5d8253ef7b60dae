// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The saver window running on the headless machine, as `Frostlane1.scr /s` runs
// on one monitor of the given size and density: the offscreen renderer and the benchmarks
// drive it tick by tick and read its frames.
//
// The headless machine is one per process, so only one session may live at a
// time; making a session resets the machine. A tick is 10 ms of the machine's
// clock, which fires the saver's timers as Windows would. Frames are 0x00RRGGBB
// pixels owned by the saver window and valid until the next tick.
#pragma once

#include <memory>
#include <string>

#include "startup/Project.h"
#include "startup/runtime/gfx/Bitmap.h"

namespace render {

constexpr int kTickMilliseconds = 10;

struct SaverSetup {
  int width = 1280;   // pixels of the primary monitor, which the window covers
  int height = 720;
  double seed = 0;    // seconds since midnight, from which the saver seeds its generator
  int dotsPerInch = 96;  // the monitor's density: 96 at 100%, 192 at 200%
};

class SaverSession {
 public:
  // Resets the machine and starts the saver, which loads its window (the layout).
  explicit SaverSession(const SaverSetup& setup);
  ~SaverSession();
  SaverSession(const SaverSession&) = delete;
  SaverSession& operator=(const SaverSession&) = delete;

  // False once the program has ended (it ends on any sign of a user).
  bool Running() const;

  void Tick(int ticks = 1);

  // The window's frame as it would be presented now.
  const gfx::Bitmap& Frame();

  Project& GetProject() { return *project_; }

 private:
  // Made after the machine is reset, so the program starts on a fresh machine.
  std::unique_ptr<Project> project_;
};

// "WxH" as two positive numbers; false when the text is not of that form.
bool ParseSize(const std::string& text, int& width, int& height);

}  // namespace render
