// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Which language the program speaks to its user: the user's display language when
// the program carries a table of texts in it, else English.
//
// Languages are Windows language identifiers: the language in the low ten bits, the
// region (or script) above them, as 0x0407 is German of Germany and 0x0C07 German
// of Austria. The user's display languages come from the machine, most preferred
// first; the tables are those the program's resources hold, plus English, which
// is always there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace runtime {

using LanguageId = std::uint16_t;

// US English: the language of the program's own wording and of every fallback.
constexpr LanguageId kEnglish = 0x0409;

// The table for a user whose display languages are `wanted`, in their order: for
// the first wanted language that any table serves, the table of exactly that
// language and region, else the lowest-numbered table of the same language from
// another region. Chinese goes by script: traditional characters for Taiwan,
// Hong Kong and Macao, simplified for the rest. A neutral or invariant language
// names no language and is passed over. English when no table serves any of them.
LanguageId ChooseTable(const std::vector<LanguageId>& wanted, const std::vector<LanguageId>& tables);

// Whether text in this language reads from right to left (Arabic, Hebrew and the
// languages written in their scripts).
bool ReadsRightToLeft(LanguageId language);

// The table the program speaks from now: the user's display languages asked of the
// machine, matched against the tables it carries.
LanguageId UserTable();

// Text `id` of the table in `language`; "" when that table does not hold it.
std::wstring LoadResString(unsigned id, LanguageId language);

}  // namespace runtime
