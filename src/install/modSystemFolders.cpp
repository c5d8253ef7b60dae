// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "modSystemFolders.h"

#include "../startup/runtime/Text.h"
#include "../startup/runtime/WindowsApi.h"

namespace modSystemFolders {

namespace {
constexpr int kNoOwnerWindow = 0;
constexpr long kSucceeded = 0;
constexpr int kPathWritten = 1;
}  // namespace

std::wstring GetSpecialFolder(std::int32_t folder) {
  // The shell writes the path and its NUL into a buffer of the platform's longest
  // path; whatever lies beyond the NUL is not part of the path.
  std::wstring buffer(platform::kMaxPath, L'\0');

  platform::ItemIdList itemIds;
  if (platform::SHGetSpecialFolderLocation(kNoOwnerWindow, folder, itemIds) != kSucceeded) return std::wstring();
  if (platform::SHGetPathFromIDList(itemIds, buffer.data()) != kPathWritten) return std::wstring();

  // A buffer without a NUL holds no complete path, so nothing is returned then.
  const std::size_t firstNul = runtime::InStr(buffer, std::wstring(1, L'\0'));
  if (firstNul == 0) return std::wstring();
  return runtime::Trim(runtime::Left(buffer, firstNul - 1));
}

}  // namespace modSystemFolders
