// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The program's tables of texts as its resources hold them, and the user's display
// languages as Windows lists them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "startup/Messages.h"
#include "startup/runtime/Backend.h"
#include "startup/runtime/Text.h"
#include "startup/runtime/win32/Texts.h"

namespace {

TEST(TextTables, EveryLanguageHoldsEveryMessageWithTheEnglishPlaceholders) {
  std::vector<std::uint16_t> languages = backend::TextTableLanguages();
  std::sort(languages.begin(), languages.end());
  const std::vector<std::uint16_t> expected = {0x0401, 0x0404, 0x0407, 0x040C, 0x040D, 0x0410, 0x0411, 0x0412,
                                               0x0413, 0x0415, 0x0416, 0x0419, 0x041F, 0x0804, 0x0C0A};
  EXPECT_EQ(languages, expected);
  for (const std::uint16_t language : languages) {
    for (const messages::MessageId id : messages::kEveryMessage) {
      const std::wstring english = messages::EnglishPattern(id);
      const std::wstring text = backend::TableText(messages::TextId(id), language);
      const std::string where =
          "language " + std::to_string(language) + ", text " + std::to_string(messages::TextId(id));
      EXPECT_FALSE(text.empty()) << where;
      EXPECT_NE(text, english) << where << ": not translated";
      EXPECT_EQ(runtime::PlaceholdersOf(text), runtime::PlaceholdersOf(english)) << where;
    }
  }
  // English is the program's own wording, in no table; nor is any text past the messages.
  EXPECT_EQ(backend::TableText(messages::TextId(messages::MessageId::NoSettings), 0x0409), L"");
  EXPECT_EQ(backend::TableText(31, 0x0407), L"");
}

TEST(TextTables, TheUsersLanguagesAreReadFromWindowsList) {
  using namespace std::string_literals;
  // Each list as Windows writes it, its entries and then one more NUL (c_str's).
  const std::pair<std::wstring, std::vector<std::uint16_t>> rows[] = {
      {L"0407\0" L"zz\0" L"0411x\0" L"10409\0" L"FFFF\0"s, {0x0407, 0xFFFF}},
      {L""s, {}},
  };
  for (const auto& [list, languages] : rows) {
    EXPECT_EQ(backend::LanguagesOfList(list.c_str()), languages) << list.size() << " characters";
  }
  // The display language comes first; Windows may list further installed ones after it.
  const std::vector<std::uint16_t> listed = backend::UserDisplayLanguages();
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed.front(), GetUserDefaultUILanguage());
}

}  // namespace
