// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "WholeCopy.h"

namespace modInstallCheck {

namespace {

constexpr backend::ErrorCode kFileExists = 80;
// Names taken by other runs are skipped; this many in a row means something else
// is wrong, and that failure is reported.
constexpr int kAttempts = 100;

bool Has(const std::wstring& path, unsigned attribute, unsigned& attributes) {
  return backend::GetAttributes(path, attributes) == 0 && (attributes & attribute) != 0;
}

// Removes a temporary file of ours. Its removal's own failure changes nothing
// about what the user is told.
void Discard(const std::wstring& partial) {
  unsigned attributes = 0;
  // The copy takes the source's attributes, and a read-only file cannot be removed.
  if (Has(partial, backend::kAttributeReadOnly, attributes)) {
    backend::SetAttributes(partial, attributes & ~backend::kAttributeReadOnly);
  }
  backend::RemoveFile(partial);
}

// Copies `from` into a temporary file beside `to` that no other run holds, and
// names it in `partial`. Made only where nothing stood, the file is ours alone,
// so two installers at once never write into one file.
backend::ErrorCode CopyToNewPartial(const std::wstring& from, const std::wstring& to, std::wstring& partial) {
  backend::ErrorCode error = kFileExists;
  for (int attempt = 1; attempt <= kAttempts && error == kFileExists; ++attempt) {
    partial = PartialCopyOf(to, attempt);
    error = backend::CopyFileToNew(from, partial);
  }
  // Any failure but "exists" happened where nothing stood before, so whatever
  // is there now is ours: a copy cut short leaves its bytes behind.
  if (error != 0 && error != kFileExists) Discard(partial);
  return error;
}

}  // namespace

std::wstring PartialCopyOf(const std::wstring& to, int attempt) {
  return to + L"." + std::to_wstring(backend::ProcessId()) + L"-" + std::to_wstring(attempt) + L".partial";
}

backend::ErrorCode CopyWholeOrNothing(const std::wstring& from, const std::wstring& to) {
  unsigned attributes = 0;
  if (Has(to, backend::kAttributeDirectory, attributes)) return kFolderAtTarget;

  // The temporary file lies in the target's own folder, so the final move is a
  // rename on one volume and cannot itself be cut short half-way.
  std::wstring partial;
  backend::ErrorCode error = CopyToNewPartial(from, to, partial);
  if (error != 0) return error;

  // Windows replaces no read-only file; an earlier copy marked so is replaced
  // all the same, and marked so again should the move fail.
  const bool readOnly = Has(to, backend::kAttributeReadOnly, attributes);
  if (readOnly) error = backend::SetAttributes(to, attributes & ~backend::kAttributeReadOnly);
  if (error == 0) error = backend::MoveFileReplacing(partial, to);
  if (error != 0) {
    if (readOnly) backend::SetAttributes(to, attributes);
    Discard(partial);
  }
  return error;
}

}  // namespace modInstallCheck
