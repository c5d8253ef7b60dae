// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The user's display languages and the program's tables of texts on Windows. The
// tables are read in the language the program chose, never through the thread's
// language: which table a plain string lookup takes from it differs between
// Windows versions and Wine.
#include <string>
#include <vector>

#include "Texts.h"

#include "../Backend.h"
#include "Win32.h"
#include "resource.h"

namespace backend {

namespace {

constexpr unsigned kTextsPerBlock = 16;

// Every text lies in block id / 16 + 1 of the string resources; the messages all
// lie in the block of the first one, so its languages are the tables'.
LPCWSTR BlockOf(unsigned id) { return MAKEINTRESOURCEW(id / kTextsPerBlock + 1); }

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<std::uint16_t>*>(found)->push_back(language);
  return TRUE;
}

}  // namespace

std::vector<std::uint16_t> LanguagesOfList(const wchar_t* list) {
  std::vector<std::uint16_t> languages;
  for (const wchar_t* entry = list; *entry != L'\0'; entry += wcslen(entry) + 1) {
    wchar_t* end = nullptr;
    const unsigned long language = wcstoul(entry, &end, 16);
    if (end != entry && *end == L'\0' && language <= 0xFFFF) languages.push_back(static_cast<std::uint16_t>(language));
  }
  return languages;
}

std::vector<std::uint16_t> UserDisplayLanguages() {
  // Asked twice: for the room the list needs, then for the list. The user's own
  // list starts with the display language whenever there is one.
  ULONG count = 0, length = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_ID, &count, nullptr, &length)) return {};
  std::wstring list(length, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_ID, &count, list.data(), &length)) return {};
  return LanguagesOfList(list.c_str());
}

std::vector<std::uint16_t> TextTableLanguages() {
  std::vector<std::uint16_t> languages;
  EnumResourceLanguagesW(nullptr, RT_STRING, BlockOf(IDS_NO_SETTINGS), AddLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

std::wstring TableText(unsigned id, std::uint16_t language) {
  const HRSRC found = FindResourceExW(nullptr, RT_STRING, BlockOf(id), language);
  if (found == nullptr) return std::wstring();
  const HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* text = static_cast<const wchar_t*>(LockResource(loaded));
  if (text == nullptr) return std::wstring();
  // A block is sixteen counted texts, each its length and then its characters.
  const wchar_t* const end = text + SizeofResource(nullptr, found) / sizeof(wchar_t);
  for (unsigned index = 0; text < end; ++index) {
    const std::size_t length = static_cast<std::uint16_t>(*text++);
    if (length > static_cast<std::size_t>(end - text)) break;
    if (index == id % kTextsPerBlock) return std::wstring(text, length);
    text += length;
  }
  return std::wstring();
}

}  // namespace backend
