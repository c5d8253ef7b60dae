// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The paths of the system's special folders, asked of the shell.
//
// Contract: `GetSpecialFolder` takes a special-folder number (a CSIDL value, such
// as 41 for the 32-bit system folder) and returns that folder's path as the shell
// writes it, without its terminating NUL and without blanks at either end. Every
// failure of the shell (an unknown number, a folder without a path) gives "";
// nothing is reported and nothing is kept between calls.
#pragma once

#include <cstdint>
#include <string>

namespace modSystemFolders {

std::wstring GetSpecialFolder(std::int32_t folder);

}  // namespace modSystemFolders
