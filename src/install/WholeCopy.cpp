#include "WholeCopy.h"

namespace modInstallCheck {

std::wstring PartialCopyOf(const std::wstring& to) { return to + L".partial"; }

backend::ErrorCode CopyWholeOrNothing(const std::wstring& from, const std::wstring& to) {
  // The temporary file lies in the target's own folder, so the final move is a
  // rename on one volume and cannot itself be cut short half-way.
  const std::wstring partial = PartialCopyOf(to);
  backend::ErrorCode error = backend::CopyFileReplacing(from, partial);
  if (error == 0) error = backend::MoveFileReplacing(partial, to);
  // A copy cut short may have left some bytes behind; they must not stay as a
  // stray file in the Windows folder. The removal's own failure changes nothing
  // about what the user is told.
  if (error != 0) backend::RemoveFile(partial);
  return error;
}

}  // namespace modInstallCheck
