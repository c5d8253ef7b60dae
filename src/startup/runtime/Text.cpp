// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Text.h"

#include <cwctype>

namespace runtime {

std::wstring LCase(const std::wstring& text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) {
    // ASCII and Latin-1 letters are lowered by rule, so the result does not hang on
    // the C library's locale; other scripts go through towlower.
    const bool asciiUpper = c >= L'A' && c <= L'Z';
    const bool latinUpper = c >= 0xC0 && c <= 0xDE && c != 0xD7;
    c = asciiUpper || latinUpper ? static_cast<wchar_t>(c + 0x20)
                                 : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  }
  return lower;
}

bool Like(const std::wstring& text, const std::wstring& pattern) {
  // Greedy matcher with backtracking to the last star: linear in practice and
  // never recursive, so a long argument cannot exhaust the stack.
  std::size_t t = 0, p = 0;
  std::size_t starPattern = std::wstring::npos, starText = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starPattern = p++;
      starText = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (starPattern != std::wstring::npos) {
      p = starPattern + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

std::wstring Trim(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

std::size_t InStr(const std::wstring& text, const std::wstring& what) {
  const std::size_t at = text.find(what);
  return at == std::wstring::npos ? 0 : at + 1;
}

std::wstring Left(const std::wstring& text, std::size_t count) { return text.substr(0, count); }

std::wstring Replace(const std::wstring& text, const std::wstring& find, const std::wstring& with) {
  if (find.empty()) return text;
  std::wstring result;
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::wstring::npos; at = text.find(find, from)) {
    result.append(text, from, at - from).append(with);
    from = at + find.size();
  }
  return result.append(text, from, std::wstring::npos);
}

namespace {
// The part number (1 to 9) of a placeholder starting at `at`, or 0.
unsigned PlaceholderAt(const std::wstring& text, std::size_t at) {
  if (text[at] != L'%' || at + 1 >= text.size()) return 0;
  const wchar_t digit = text[at + 1];
  return digit >= L'1' && digit <= L'9' ? static_cast<unsigned>(digit - L'0') : 0;
}
}  // namespace

std::wstring FillIn(const std::wstring& pattern, const std::vector<std::wstring>& parts) {
  std::wstring result;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const unsigned part = PlaceholderAt(pattern, at);
    if (part != 0 && part <= parts.size()) {
      result += parts[part - 1];
      ++at;
    } else {
      result += pattern[at];
    }
  }
  return result;
}

unsigned PlaceholdersOf(const std::wstring& pattern) {
  unsigned found = 0;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const unsigned part = PlaceholderAt(pattern, at);
    if (part != 0) found |= 1u << part;
  }
  return found;
}

}  // namespace runtime
