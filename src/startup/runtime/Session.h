// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The session the program runs in, as the forms need to know it: whose events a
// window may act on, and whether the session is shown through a remote client.
// Every answer is asked of the machine afresh; none may fail loudly.
#pragma once

#include "Backend.h"

namespace runtime {

// True when an event about `sessionId` concerns this process's own session, or
// when the process cannot tell its own: a window hears only of its own session
// unless the host is one of those that tell every window of every session.
bool IsOwnSession(unsigned long sessionId);

// True when the process runs in a remote session: the system says so, or the
// machine's own graphics belong to another session (a remote session with a
// virtual graphics card, which the system does not count as remote).
bool InRemoteSession();

}  // namespace runtime
