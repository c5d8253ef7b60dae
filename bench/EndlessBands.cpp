// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The bands stay endless and exact over a long run: the saver's animation timer
// fired a hundred million times (about eleven and a half days of 10 ms ticks)
// on one 1280x200 monitor. Prints the largest |Left| any strip reached beside
// its strip width, and fails when a strip left [-W, W], when the two strips of a
// row stopped touching, or when a strip is not where 10 twips a tick puts it,
// give or take whole turns of 2W.
//
// usage: frostlane_endless_bands [TICKS]   (default 100000000)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SaverSession.h"
#include "saver/frmAdvent1.h"

namespace {

constexpr long long kDefaultTicks = 100'000'000;
constexpr double kTwipsPerTick = 10.0;

bool ParseTicks(const char* text, long long& ticks) {
  char* end = nullptr;
  ticks = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && ticks > 0;
}

}  // namespace

int main(int argc, char** argv) {
  long long ticks = kDefaultTicks;
  if (argc > 2 || (argc == 2 && !ParseTicks(argv[1], ticks))) {
    std::fprintf(stderr, "usage: frostlane_endless_bands [TICKS]\n");
    return 2;
  }
  render::SaverSetup setup;
  setup.width = 1280;
  setup.height = 200;
  setup.seed = 45296;
  render::SaverSession session(setup);
  frmAdvent1& saver = session.GetProject().Advent1();
  const int rows = saver.Picture1.Count() - 1;
  if (rows < 2) {
    std::fprintf(stderr, "the mosaic has %d rows; the check needs both directions\n", rows);
    return 1;
  }

  // The largest |Left| seen over every tick, and the largest as a share of its
  // own strip's width (the strips of different rows may differ in width).
  double largestLeft = 0, largestShare = 0;
  for (long long tick = 0; tick < ticks; ++tick) {
    saver.Timer2.Fire();
    for (int k = 1; k <= rows; ++k) {
      const double w = saver.Picture1(k).Width();
      const double a = std::fabs(saver.Picture1(k).Left()), b = std::fabs(saver.Picture2(k).Left());
      const double most = a > b ? a : b;
      if (most > largestLeft) largestLeft = most;
      if (most / w > largestShare) largestShare = most / w;
    }
  }

  int faults = 0;
  for (int k = 1; k <= rows; ++k) {
    const double w = saver.Picture1(k).Width();
    const double a = saver.Picture1(k).Left(), b = saver.Picture2(k).Left();
    const double travelled = (k % 2 == 1 ? -kTwipsPerTick : kTwipsPerTick) * static_cast<double>(ticks);
    const double offTrack = std::fmod(std::fmod(a - travelled, 2 * w) + 2 * w, 2 * w);
    const bool touching = std::fabs(a - b) == w;
    std::printf("row %d: W %.0f, left strip %.0f, right strip %.0f%s%s\n", k, w, a, b,
                touching ? "" : ", the strips no longer touch", offTrack == 0 ? "" : ", off its track");
    if (!touching || offTrack != 0) ++faults;
  }
  const bool bounded = largestShare <= 1.0;
  std::printf("%lld ticks on %d rows: largest |Left| %.0f twips, %.4f of its strip width (goal <= 1)\n", ticks,
              rows, largestLeft, largestShare);
  if (!bounded) ++faults;
  std::printf("%s\n", faults == 0 ? "endless and exact" : "FAILED");
  return faults == 0 ? 0 : 1;
}
