#include "FramePacing.h"

namespace runtime {

bool FramePacer::PresentAt(std::int64_t now, std::int64_t refreshPeriod) {
  if (refreshPeriod <= 0) return true;
  // The first frame, a display that refreshes at a new rate, or a time before the
  // period last presented in (a clock that was set back): a new grid from here.
  if (refreshPeriod != period_ || now < nextPeriod_ - refreshPeriod) {
    period_ = refreshPeriod;
    nextPeriod_ = now + refreshPeriod;
    return true;
  }
  if (now < nextPeriod_) return false;
  // Skip the periods that passed without a tick (a stall), keeping the grid's phase.
  nextPeriod_ += ((now - nextPeriod_) / refreshPeriod + 1) * refreshPeriod;
  return true;
}

}  // namespace runtime
