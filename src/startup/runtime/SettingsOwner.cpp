// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "SettingsOwner.h"

#include <cstdint>

namespace runtime {

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
}  // namespace

WindowHandle SettingsOwner(const std::wstring& arguments) {
  if (arguments.size() < 3 || arguments[0] != L'/' || (arguments[1] != L'c' && arguments[1] != L'C')) return 0;
  std::size_t at = 2;
  if (arguments[at] == L':') {
    ++at;
  } else {
    while (at < arguments.size() && IsBlank(arguments[at])) ++at;
    if (at == 2) return 0;  // "/config": no separator, no window
  }
  if (at == arguments.size() || !IsDigit(arguments[at])) return 0;
  std::uint64_t number = 0;
  for (; at < arguments.size() && IsDigit(arguments[at]); ++at) {
    number = number * 10 + static_cast<std::uint64_t>(arguments[at] - L'0');
    if (number > UINT32_MAX) return 0;
  }
  for (; at < arguments.size(); ++at) {
    if (!IsBlank(arguments[at])) return 0;
  }
  // A 32-bit handle widens with its sign, as Windows widens handles between 32-
  // and 64-bit programs.
  return static_cast<WindowHandle>(static_cast<std::int32_t>(static_cast<std::uint32_t>(number)));
}

}  // namespace runtime
