// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The entry procedure: the install check, then one of three modes chosen by the
// command line (configuration notice, preview, the saver window). Before them all,
// the install's run with raised rights, started with its own exact argument text,
// makes its copy and ends.
#pragma once

#include <string>

#include "ProductIdentity.h"

class Project;

namespace modMain {

// The maker's web site, offered by the configuration notice.
inline const std::wstring kMakerWebSite = FROSTLANE_SITE_W;

// The maker's name, as every language writes it.
inline const std::wstring kMakerName = FROSTLANE_MAKER_W;

// Runs once at process start. Configuration and preview end the program here;
// the saver path returns only when the event loop does, which the saver's exits
// never let happen.
void Main(Project& project);

}  // namespace modMain
