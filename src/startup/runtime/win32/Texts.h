// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The user's display languages as Windows lists them.
#pragma once

#include <cstdint>
#include <vector>

namespace backend {

// The languages of a list of hexadecimal language identifiers, each ended by a
// NUL and the list by a second one ("0407\0" "0409\0\0"), in order. An entry that
// is no identifier is passed over.
std::vector<std::uint16_t> LanguagesOfList(const wchar_t* list);

}  // namespace backend
