// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Who is watching, as facts, and the pace that follows: facts in, pace out.
#include <gtest/gtest.h>

#include "startup/runtime/Audience.h"

namespace {

using runtime::Audience;
using runtime::Showing;

TEST(Audience, EachStateTakesItsPaceFromTheFacts) {
  enum Fact { kDisplaysOff = 1, kDisconnected = 2, kLocked = 4, kOtherDesktop = 8, kRemote = 16, kNoAnimations = 32 };
  struct Row {
    int facts;
    Showing showing;
    bool lockInFront;
  };
  const Row rows[] = {
      {0, Showing::Moving, false},
      {kDisplaysOff, Showing::Unseen, false},
      {kDisconnected | kRemote, Showing::Unseen, false},
      {kOtherDesktop, Showing::Unseen, false},
      {kLocked, Showing::Moving, false},  // its own desktop still on the screen: a lock alone hides nothing
      {kLocked | kOtherDesktop, Showing::Unseen, true},
      {kLocked | kOtherDesktop | kDisconnected, Showing::Unseen, false},  // nobody sees the lock yet
      {kNoAnimations | kRemote, Showing::Paused, false},
      {kNoAnimations | kDisplaysOff, Showing::Unseen, false},
      {kRemote, Showing::Throttled, false},
  };
  for (const Row& row : rows) {
    Audience audience;
    audience.displaysOn = (row.facts & kDisplaysOff) == 0;
    audience.connected = (row.facts & kDisconnected) == 0;
    audience.locked = (row.facts & kLocked) != 0;
    audience.ownDesktopShown = (row.facts & kOtherDesktop) == 0;
    audience.remote = (row.facts & kRemote) != 0;
    audience.animations = (row.facts & kNoAnimations) == 0;
    EXPECT_EQ(audience.State(), row.showing) << row.facts;
    EXPECT_EQ(audience.LockInFront(), row.lockInFront) << row.facts;
  }

  // Presents a second, the watch's shortest interval, the animation's steps per wake.
  const std::tuple<Showing, int, int, int> paces[] = {
      {Showing::Unseen, 0, 250, 0},
      {Showing::Paused, backend::kEveryRefresh, 250, 0},
      {Showing::Throttled, 30, 20, 2},
      {Showing::Moving, backend::kEveryRefresh, 0, 1},
  };
  for (const auto& [showing, presents, watch, steps] : paces) {
    const runtime::Pace pace = runtime::PaceFor(showing);
    EXPECT_EQ(pace.presentsPerSecond, presents) << static_cast<int>(showing);
    EXPECT_EQ(pace.watchAtLeastMilliseconds, watch) << static_cast<int>(showing);
    EXPECT_EQ(pace.animationStepsPerWake, steps) << static_cast<int>(showing);
  }
}

}  // namespace
