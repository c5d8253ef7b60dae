// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The language the program speaks, and its messages as the user reads them.
#include <gtest/gtest.h>

#include "HeadlessProgram.h"
#include "startup/Messages.h"
#include "startup/runtime/Languages.h"

namespace {

using messages::MessageId;
using runtime::LanguageId;

// The tables the program carries, and English.
const std::vector<LanguageId> kTables = {0x0401, 0x0404, 0x0407, 0x040C, 0x040D, 0x0410, 0x0411, 0x0412,
                                         0x0413, 0x0415, 0x0416, 0x0419, 0x041F, 0x0804, 0x0C0A, 0x0409};

TEST(Languages, TheUsersLanguageThenItsOtherRegionsThenEnglish) {
  struct Row {
    const char* name;
    std::vector<LanguageId> wanted;
    LanguageId table;
    bool rightToLeft;
    std::vector<LanguageId> tables = kTables;
  };
  const Row rows[] = {
      {"German", {0x0407}, 0x0407, false},
      {"German of Austria", {0x0C07}, 0x0407, false},
      {"Portuguese of Portugal", {0x0816}, 0x0416, false},
      {"Arabic of Egypt", {0x0C01}, 0x0401, true},
      {"Hebrew", {0x040D}, 0x040D, true},
      {"Chinese of mainland China", {0x0804}, 0x0804, false},
      {"Chinese, simplified", {0x0004}, 0x0804, false},
      {"Chinese of Taiwan", {0x0404}, 0x0404, false},
      {"Chinese of Hong Kong", {0x0C04}, 0x0404, false},
      {"Chinese of Macao", {0x1404}, 0x0404, false},
      {"Chinese, traditional", {0x7C04}, 0x0404, false},
      {"Finnish, not carried", {0x040B}, 0x0409, false},
      {"the neutral language", {0x0000}, 0x0409, false},
      {"the invariant language", {0x007F}, 0x0409, false},
      {"Finnish, then German", {0x040B, 0x0407}, 0x0407, false},
      {"invariant, then Japanese", {0x007F, 0x0411}, 0x0411, false},
      // A display language from a language interface pack is listed as 0x1400.
      {"a language interface pack", {0x1400}, 0x0409, false},
      {"a language interface pack, then German", {0x1400, 0x0407}, 0x0407, false},
      {"of two other regions, the lower", {0x0407}, 0x0807, false, {0x0C07, 0x0807, 0x0409}},
      {"only traditional Chinese for a mainland user", {0x0804}, 0x0409, false, {0x0404, 0x0409}},
  };
  for (const Row& row : rows) {
    const LanguageId table = runtime::ChooseTable(row.wanted, row.tables);
    EXPECT_EQ(table, row.table) << row.name;
    EXPECT_EQ(runtime::ReadsRightToLeft(table), row.rightToLeft) << row.name;
  }
}

TEST(Messages, ATableFallsShortOnlyToTheEnglishOfThatMessage) {
  struct Row {
    const char* name;
    std::vector<LanguageId> wanted;
    std::map<std::pair<std::uint16_t, unsigned>, std::wstring> tables;
    std::vector<std::wstring> parts;
    std::wstring text;
    unsigned layout;  // the right-to-left style bits of the box
  };
  constexpr unsigned kRightToLeft = 0x180000;
  const std::wstring english = L"Would you like to install X?";
  const Row rows[] = {
      {"German", {0x0407}, {{{0x0407, 17}, L"Möchten Sie „%1“ installieren?"}}, {L"X"},
       L"Möchten Sie „X“ installieren?", 0},
      {"Hebrew", {0x040D}, {{{0x040D, 17}, L"האם להתקין את \"%1\"?"}}, {L"X"}, L"האם להתקין את \"X\"?",
       kRightToLeft},
      {"a table without the message", {0x040D}, {{{0x040D, 16}, L"%1"}}, {L"X"}, english, 0},
      {"a stray placeholder", {0x0407}, {{{0x0407, 17}, L"%2 installieren?"}}, {L"X"}, english, 0},
      {"a missing placeholder", {0x0407}, {{{0x0407, 17}, L"Installieren?"}}, {L"X"}, english, 0},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.machine().displayLanguages = row.wanted;
    program.machine().textTables = row.tables;
    program.machine().Run([&] { messages::Show(messages::Compose(MessageId::InstallQuestion, row.parts), 52); });
    ASSERT_EQ(program.machine().messageBoxes.size(), 1u) << row.name;
    EXPECT_EQ(program.machine().messageBoxes[0].text, row.text) << row.name;
    EXPECT_EQ(program.machine().messageBoxes[0].style, 52u + row.layout) << row.name;
  }
}

}  // namespace
