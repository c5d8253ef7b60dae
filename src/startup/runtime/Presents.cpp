// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Presents.h"

#include <algorithm>

namespace runtime {

void PresentQueue::Ask(int first, int end) {
  if (first >= end) return;
  if (pending_.Empty()) {
    pending_ = RowSpan{first, end};
  } else {
    pending_ = RowSpan{std::min(pending_.first, first), std::max(pending_.end, end)};
  }
}

RowSpan PresentQueue::TakeDue(std::int64_t now, const DisplayTiming& display) {
  if (!Waiting()) return RowSpan{};
  const std::int64_t framePeriod = PresentPeriod(display.refreshPeriod, framesPerSecond_, display.ticksPerSecond);
  if (!pacer_.PresentAt(now, framePeriod, display.refreshPeriod, display.refreshedAt)) return RowSpan{};
  const RowSpan due = pending_;
  pending_ = RowSpan{};
  return due;
}

}  // namespace runtime
