// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The rows of a window that wait to reach the screen, and when they may: at most
// the frames a second that the window's form allows (none at all while nobody
// can see it), and at most one frame per display refresh (FramePacing.h). Both
// machines keep one per window: Windows presents what it gives out on the
// window's tick, the headless machine records it.
#pragma once

#include <cstdint>
#include <optional>

#include "Backend.h"
#include "FramePacing.h"

namespace runtime {

// Rows [first, end) of a frame; empty when first >= end.
struct RowSpan {
  int first = 0;
  int end = 0;
  bool Empty() const { return first >= end; }
};

// The display as the presenter knows it at one tick, in ticks of a clock that
// counts `ticksPerSecond`: one refresh (0 when not known) and when the last
// one was, if known.
struct DisplayTiming {
  std::int64_t refreshPeriod = 0;
  std::optional<std::int64_t> refreshedAt;
  std::int64_t ticksPerSecond = 1;
};

class PresentQueue {
 public:
  // Rows [first, end) changed; they join those waiting.
  void Ask(int first, int end);
  // At most `framesPerSecond` frames a second from now on (backend::kEveryRefresh:
  // one per refresh); 0 holds every frame back, keeping the rows.
  void Limit(int framesPerSecond) { framesPerSecond_ = framesPerSecond; }
  int FramesPerSecond() const { return framesPerSecond_; }
  // Rows wait, held back or not.
  bool Pending() const { return !pending_.Empty(); }
  // Rows wait and may be presented; only then is it worth asking the display.
  bool Waiting() const { return Pending() && framesPerSecond_ != 0; }
  // The rows to present at `now`, taken out of the queue; empty when none wait,
  // the limit holds them, or the display would not show another frame yet.
  RowSpan TakeDue(std::int64_t now, const DisplayTiming& display);

 private:
  RowSpan pending_;
  int framesPerSecond_ = backend::kEveryRefresh;
  FramePacer pacer_;
};

}  // namespace runtime
