// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Languages.h"

#include <algorithm>

#include "Backend.h"

namespace runtime {

namespace {

constexpr LanguageId kPrimaryMask = 0x3FF;
constexpr LanguageId kNeutral = 0x00;
constexpr LanguageId kInvariant = 0x7F;
constexpr LanguageId kChinese = 0x04;
constexpr LanguageId kArabic = 0x01;
constexpr LanguageId kHebrew = 0x0D;
constexpr LanguageId kUrdu = 0x20;
constexpr LanguageId kPersian = 0x29;

LanguageId PrimaryOf(LanguageId language) { return language & kPrimaryMask; }
LanguageId RegionOf(LanguageId language) { return static_cast<LanguageId>(language >> 10); }

enum class Script { Any, Simplified, Traditional };

Script ScriptOf(LanguageId language) {
  if (PrimaryOf(language) != kChinese) return Script::Any;
  // Taiwan (1), Hong Kong (3), Macao (5) and "Chinese, traditional" with no region.
  const LanguageId region = RegionOf(language);
  const bool traditional = region == 0x01 || region == 0x03 || region == 0x05 || region == 0x1F;
  return traditional ? Script::Traditional : Script::Simplified;
}

bool SameLanguage(LanguageId a, LanguageId b) {
  return PrimaryOf(a) == PrimaryOf(b) && ScriptOf(a) == ScriptOf(b);
}

}  // namespace

LanguageId ChooseTable(const std::vector<LanguageId>& wanted, const std::vector<LanguageId>& tables) {
  for (const LanguageId language : wanted) {
    if (PrimaryOf(language) == kNeutral || PrimaryOf(language) == kInvariant) continue;
    if (std::find(tables.begin(), tables.end(), language) != tables.end()) return language;
    // Of several regions the lowest number is taken, so the answer does not hang on
    // the order in which the machine lists its tables.
    LanguageId nearest = 0;
    for (const LanguageId table : tables) {
      if (SameLanguage(table, language) && (nearest == 0 || table < nearest)) nearest = table;
    }
    if (nearest != 0) return nearest;
  }
  return kEnglish;
}

bool ReadsRightToLeft(LanguageId language) {
  const LanguageId primary = PrimaryOf(language);
  return primary == kArabic || primary == kHebrew || primary == kUrdu || primary == kPersian;
}

LanguageId UserTable() {
  std::vector<LanguageId> tables = backend::TextTableLanguages();
  tables.push_back(kEnglish);
  return ChooseTable(backend::UserDisplayLanguages(), tables);
}

std::wstring LoadResString(unsigned id, LanguageId language) { return backend::TableText(id, language); }

}  // namespace runtime
