// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Session.h"

namespace runtime {

bool IsOwnSession(unsigned long sessionId) {
  unsigned long own = 0;
  return !backend::ProcessSessionId(own) || own == sessionId;
}

bool InRemoteSession() {
  if (backend::RemoteSessionMetric()) return true;
  unsigned long own = 0, glass = 0;
  return backend::GlassSessionId(glass) && backend::ProcessSessionId(own) && glass != own;
}

}  // namespace runtime
