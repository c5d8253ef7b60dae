// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The copy into the Windows folder with an administrator's rights, made by a
// second run of the program that does that and nothing else.
//
// Contract: `CopyInElevatedRun()` starts the program's own file again with
// administrator's rights (the system asks the user) and the one argument text
// `kElevatedCopySwitch`, waits for that run to end and gives its exit status, or
// the start's error code when it could not start (1223 when the user declined).
//
// Started with exactly that argument text, the program runs `RunElevatedCopy()`
// before anything else: it takes nothing from its command line or environment,
// computes the source (its own file) and the target (the Windows folder's install
// file) itself, refuses a target not directly in the Windows folder and a source
// that is no ordinary file or is the target itself, copies with
// `CopyWholeOrNothing`, shows nothing and ends with 0 or the error code.
#pragma once

#include <string>

#include "../startup/runtime/Backend.h"

namespace modInstallCheck {

inline const std::wstring kElevatedCopySwitch = L"/elevated-copy";

// Whether a failed copy failed for want of rights, which a run with an
// administrator's rights may have.
bool LacksRights(backend::ErrorCode error);

backend::ErrorCode CopyInElevatedRun();

// The copy of the run started with the switch; 0 or the error code.
backend::ErrorCode ElevatedCopy();

// ElevatedCopy(), then the end of the program with its outcome as exit status.
[[noreturn]] void RunElevatedCopy();

// The codes the elevated copy refuses its source or target with.
constexpr backend::ErrorCode kBadPathName = 161;       // "The specified path is invalid."
constexpr backend::ErrorCode kInvalidParameter = 87;  // "The parameter is incorrect."

}  // namespace modInstallCheck
