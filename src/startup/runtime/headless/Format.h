// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Formats recorded arguments: numbers as decimals, strings quoted.
#pragma once

#include <sstream>
#include <string>

namespace headless {

inline void AppendArgument(std::wostringstream& out, const std::wstring& text) { out << L'"' << text << L'"'; }
inline void AppendArgument(std::wostringstream& out, const wchar_t* text) { out << L'"' << text << L'"'; }
template <typename Number>
void AppendArgument(std::wostringstream& out, Number number) {
  out << number;
}

template <typename... Arguments>
std::wstring Args(const Arguments&... arguments) {
  std::wostringstream out;
  bool first = true;
  ((out << (first ? L"" : L", "), AppendArgument(out, arguments), first = false), ...);
  return out.str();
}

}  // namespace headless
