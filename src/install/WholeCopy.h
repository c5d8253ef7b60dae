// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A file copy that never leaves half a file at its target.
//
// Contract: `CopyWholeOrNothing(from, to)` copies the file `from` to `to`, paths
// as UTF-16 of any length. The bytes go first into a temporary file beside `to`
// that this run alone can hold (`PartialCopyOf`, made only where nothing stands
// yet), and are moved over `to` in one step only once all of them are written,
// so `to` is either the complete new copy or left exactly as it was. An existing
// file at `to` is replaced, a read-only one too; a folder at `to` is refused
// before anything is written (183). On failure the temporary file is removed and
// the result is the system's error code of the step that failed; 0 means the copy
// is in place. Nothing is shown to the user here.
#pragma once

#include <string>

#include "../startup/runtime/Backend.h"

namespace modInstallCheck {

backend::ErrorCode CopyWholeOrNothing(const std::wstring& from, const std::wstring& to);

// The temporary file of this process's `attempt`-th try (from 1) to copy to `to`.
std::wstring PartialCopyOf(const std::wstring& to, int attempt);

// The error a folder standing at the target gives.
constexpr backend::ErrorCode kFolderAtTarget = 183;  // "Cannot create a file when that file already exists."

}  // namespace modInstallCheck
