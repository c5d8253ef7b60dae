// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Writes a picture file in one piece. The bytes go to a new file beside the
// target, which then takes the target's name, so readers see the old file or the
// complete new one, never half of it. On failure the call says why in `error`,
// leaves the target as it was and removes what it wrote. It refuses a target
// that exists but is not a regular file (a folder, a device, a pipe).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render {

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace render
