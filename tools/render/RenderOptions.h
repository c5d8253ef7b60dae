// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The command line of frostlane-render. Frames are taken every `every` ticks:
// frame i shows the saver after skip + i × every ticks (frame 0 is the mosaic as
// laid out when skip is 0). Without --frames the count is ticks ÷ every + 1.
// Parsing never exits; it reports what is wrong in `error`.
#pragma once

#include <string>
#include <vector>

#include "SaverSession.h"

namespace render {

struct RenderOptions {
  SaverSetup setup;
  int ticks = 200;
  int every = 1;
  int skip = 0;
  int frames = 0;        // 0: derived from ticks and every
  int delay = 0;         // centiseconds between GIF frames; 0: every × 10 ms
  int colours = 255;     // GIF palette size, white included (2 to 255)
  std::string gifPath;   // empty: no GIF
  std::string pngPrefix; // empty: no PNG frames
  bool help = false;
  std::string error;     // empty when the command line is sound

  int FrameCount() const { return frames > 0 ? frames : ticks / every + 1; }
  int DelayCentiseconds() const { return delay > 0 ? delay : every * kTickMilliseconds / 10; }
};

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments);

extern const char* const kRenderUsage;

}  // namespace render
