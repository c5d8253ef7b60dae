// A file copy that never leaves half a file at its target.
//
// Contract: `CopyWholeOrNothing(from, to)` copies the file `from` to `to`, paths
// as UTF-16. The bytes go first into a temporary file beside `to`
// (`to` + ".partial") and are moved over `to` in one step only once all of them
// are written, so `to` is either the complete new copy or left exactly as it
// was; an existing `to` is replaced. On failure the temporary file is removed
// and the result is the system's error code of the step that failed; 0 means the
// copy is in place. Nothing is shown to the user here.
#pragma once

#include <string>

#include "../startup/runtime/Backend.h"

namespace modInstallCheck {

backend::ErrorCode CopyWholeOrNothing(const std::wstring& from, const std::wstring& to);

// The temporary file a copy to `to` is written into before it is moved over `to`.
std::wstring PartialCopyOf(const std::wstring& to);

}  // namespace modInstallCheck
