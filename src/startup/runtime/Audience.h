// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Who is watching a form, and how fast the form works for them.
//
// The words, as the field uses them:
// - visible: somebody can see the form. Its displays are on, its session is
//   connected to a screen, and the form's desktop is the one the screen shows.
// - occluded: something stands in front of the form, here the lock screen or
//   another user's desktop: the system shows another desktop than the form's.
//   An occluded form counts as unseen.
// - throttled: seen through a remote client, which shows a few tens of frames a
//   second at best; every frame beyond that is drawn, encoded and dropped.
// - paused: seen, but the user asked for no motion ("Show animations in
//   Windows" off): nothing moves, the watch goes on.
//
// Each fact is set by its own notice alone (the displays' power, the session's
// connects, its locks, a look at the input desktop, the settings), so the order
// in which notices come does not matter. The state follows from the facts, and
// the pace from the state, by one table. A new fact is a field here and a line
// in State().
#pragma once

#include "Backend.h"

namespace runtime {

// What the form is to the people in front of it.
enum class Showing {
  Unseen,     // nobody can see it: displays off, disconnected or occluded
  Paused,     // seen, standing still at the user's wish
  Throttled,  // seen through a remote client
  Moving,     // seen on the machine's own screen, at full pace
};

struct Audience {
  bool displaysOn = true;
  bool connected = true;        // the session is shown on a screen, local or remote
  bool locked = false;          // the session says it is locked
  bool ownDesktopShown = true;  // the input desktop is the form's own
  bool remote = false;          // shown through a remote client
  bool animations = true;       // the user's "Show animations in Windows"

  Showing State() const;

  // The lock screen has taken the screen from the form: a lock was told while the
  // session is shown, and the desktop shown is not the form's. A lock told while
  // the form's own desktop is still shown (a screen saver may be what locks the
  // session) does not count.
  bool LockInFront() const { return locked && connected && !ownDesktopShown; }
};

// A remote session shows at most this many frames a second: a frame beyond what
// the remote screen shows is drawn, composed and encoded, then dropped, and each
// costs the host CPU that its other users need.
constexpr int kRemoteFramesPerSecond = 30;

// How a form works in one state.
struct Pace {
  // Frames presented a second at most (backend::kEveryRefresh: one per display
  // refresh); 0 holds every frame back.
  int presentsPerSecond;
  // A watching timer (the user, the foreground) fires no more often than this.
  int watchAtLeastMilliseconds;
  // An animating timer takes this many steps each time it wakes, and wakes that
  // many of its intervals apart, so its speed stays the same; 0 pauses it.
  int animationStepsPerWake;
};

Pace PaceFor(Showing showing);

}  // namespace runtime
