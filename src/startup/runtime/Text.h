// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Text helpers of the forms runtime. Strings are wide (UTF-16 on Windows) throughout.
// None of them fails; positions are counted from 1 as the forms runtime counts them.
#pragma once

#include <string>
#include <vector>

namespace runtime {

// Lower-cases every character (locale-independent for ASCII, towlower otherwise).
std::wstring LCase(const std::wstring& text);

// Wildcard match in which '*' stands for any run of characters (none included) and
// every other pattern character must equal the text's character exactly, with case.
bool Like(const std::wstring& text, const std::wstring& pattern);

// Removes blanks (U+0020 only) from both ends.
std::wstring Trim(const std::wstring& text);

// Position (from 1) of the first occurrence of `what` in `text`, or 0 when absent.
std::size_t InStr(const std::wstring& text, const std::wstring& what);

// The first `count` characters (all of them when the text is shorter).
std::wstring Left(const std::wstring& text, std::size_t count);

// Every occurrence of `find`, scanning from the left without overlap, replaced by `with`.
std::wstring Replace(const std::wstring& text, const std::wstring& find, const std::wstring& with);

// `pattern` with each placeholder %1 to %9 replaced by that part, counted from 1,
// in one pass: what a part brings in is never read as a placeholder. A "%" not
// followed by the number of a given part stays as it is.
std::wstring FillIn(const std::wstring& pattern, const std::vector<std::wstring>& parts);

// The placeholders %1 to %9 that `pattern` holds, as bits 1 to 9.
unsigned PlaceholdersOf(const std::wstring& pattern);

}  // namespace runtime
