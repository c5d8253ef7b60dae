// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include "startup/runtime/Numbers.h"
#include "startup/runtime/Text.h"

using namespace runtime;

TEST(Text, WildcardMatch) {
  struct Row {
    const wchar_t* text;
    const wchar_t* pattern;
    bool matches;
  };
  const Row rows[] = {
      {L"/c", L"/c*", true},       {L"/c:1234", L"/c*", true}, {L"/cp", L"/c*", true},
      {L"c", L"/c*", false},       {L"", L"/c*", false},       {L"/C", L"/c*", false},
      {L"prjtest", L"prj*", true}, {L"pr", L"prj*", false},    {L"a*b", L"a*b", true},
      {L"axxb", L"a*b", true},     {L"axxbc", L"a*b", false},  {L"", L"*", true},
      {L"abcabd", L"*abd", true},  {L"abc", L"abc", true},     {L"abc", L"ab", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Like(row.text, row.pattern), row.matches) << "text " << row.text << " pattern " << row.pattern;
  }
}

TEST(Text, HelpersCountFromOneAndTrimBlanksOnly) {
  EXPECT_EQ(LCase(L"/CONFIG Ä"), L"/config ä");
  EXPECT_EQ(Trim(L"  C:\\Windows \t "), L"C:\\Windows \t");
  EXPECT_EQ(Trim(L"    "), L"");
  EXPECT_EQ(InStr(std::wstring(L"ab\0cd", 5), std::wstring(1, L'\0')), 3u);
  EXPECT_EQ(InStr(L"abc", L"x"), 0u);
  EXPECT_EQ(Left(L"abc", 2), L"ab");
  EXPECT_EQ(Left(L"abc", 10), L"abc");
  EXPECT_EQ(Replace(L"Quillon Solutions Frostlane 1", L" ", L"_"), L"Quillon_Solutions_Frostlane_1");
  EXPECT_EQ(Replace(L"  x", L" ", L"_"), L"__x");
  EXPECT_EQ(Replace(L"aaa", L"aa", L"b"), L"ba");
}

TEST(Text, FillInPutsEachPartInItsPlaceOnce) {
  struct Row {
    const wchar_t* pattern;
    std::vector<std::wstring> parts;
    const wchar_t* filled;
    unsigned placeholders;
  };
  const Row rows[] = {
      {L"%2 before %1", {L"a", L"b"}, L"b before a", 0b110}, {L"100% of %1%", {L"x"}, L"100% of x%", 0b10},
      {L"%0 %3 %1", {L"x"}, L"%0 %3 x", 0b1010},             {L"%1%1", {L"%1"}, L"%1%1", 0b10},
      {L"%9", {}, L"%9", 0b1000000000},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FillIn(row.pattern, row.parts), row.filled) << row.pattern;
    EXPECT_EQ(PlaceholdersOf(row.pattern), row.placeholders) << row.pattern;
  }
}

TEST(Numbers, RoundedHalvesGoToTheEvenNeighbour) {
  struct Row {
    double value;
    int rounded;
  };
  const Row rows[] = {{6.5, 6}, {7.5, 8}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {0.5, 0}, {1.5, 2}};
  for (const Row& row : rows) EXPECT_EQ(Rounded(row.value), row.rounded) << row.value;
  EXPECT_EQ(Floored(-0.5), -1);
  EXPECT_FALSE(Rounded(1e12).has_value());
}
