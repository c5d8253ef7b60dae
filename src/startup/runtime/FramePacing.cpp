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

std::int64_t RefreshPeriod(std::uint32_t refreshes, std::uint32_t seconds, std::int64_t ticksPerSecond) {
  if (seconds == 0 || refreshes < seconds || ticksPerSecond <= 0) return 0;
  // ticksPerSecond * seconds / refreshes, without the product: a fast counter
  // times a rate in large terms (148500000 in 2475000) would overflow it. With
  // seconds <= refreshes, neither the whole ticks nor the rest's product can.
  const auto perSecond = static_cast<std::uint64_t>(ticksPerSecond);
  const std::uint64_t whole = perSecond / refreshes * seconds;
  const std::uint64_t rest = perSecond % refreshes * seconds / refreshes;
  return static_cast<std::int64_t>(whole + rest);
}

}  // namespace runtime
