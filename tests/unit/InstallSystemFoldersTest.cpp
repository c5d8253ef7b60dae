// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HeadlessProgram.h"
#include "install/modSystemFolders.h"

namespace {

std::wstring AskFor41(HeadlessProgram& program) {
  std::wstring result = L"(not run)";
  program.machine().Run([&] { result = modSystemFolders::GetSpecialFolder(41); });
  return result;
}

TEST(GetSpecialFolder, GivesThePathUpToItsFirstNulTrimmedOfBlanks) {
  struct Row {
    std::wstring written;  // what the shell writes before its own NUL
    std::wstring result;
  };
  const Row rows[] = {
      {L"C:\\WINDOWS\\SysWOW64", L"C:\\WINDOWS\\SysWOW64"},
      {L"  C:\\WINDOWS\\SysWOW64   ", L"C:\\WINDOWS\\SysWOW64"},
      {std::wstring(L"C:\\WINDOWS\\SysWOW64\0 stale text", 31), L"C:\\WINDOWS\\SysWOW64"},
      {std::wstring(L" C:\\Win \0", 9), L"C:\\Win"},
      {L"C:\\Windows\\Système 32\\日本", L"C:\\Windows\\Système 32\\日本"},
      {L"\tC:\\WINDOWS\t", L"\tC:\\WINDOWS\t"},  // only blanks are trimmed
      {std::wstring(259, L'x'), std::wstring(259, L'x')},
      {L"", L""},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.machine().specialFolders[41] = row.written;
    EXPECT_EQ(AskFor41(program), row.result) << "shell wrote \"" << row.written << "\"";
  }
}

TEST(GetSpecialFolder, AsksTheShellWithoutAnOwnerForTheNumberGiven) {
  HeadlessProgram program;
  program.machine().Run([] { modSystemFolders::GetSpecialFolder(0x25); });
  const std::vector<std::wstring> expected = {L"SHGetSpecialFolderLocation(0, 37)"};
  EXPECT_EQ(program.machine().CallsNamed(L"SHGetSpecialFolderLocation"), expected);
}

TEST(GetSpecialFolder, GivesNothingWhenEitherShellCallFails) {
  const wchar_t* failing[] = {L"SHGetSpecialFolderLocation", L"SHGetPathFromIDList"};
  for (const wchar_t* call : failing) {
    HeadlessProgram program;
    program.machine().Fail(call, 1);
    EXPECT_EQ(AskFor41(program), L"") << call;
  }
  HeadlessProgram unknownFolder;
  unknownFolder.machine().specialFolders.clear();
  EXPECT_EQ(AskFor41(unknownFolder), L"");
  // A failed first call leaves nothing for the second to read.
  EXPECT_TRUE(unknownFolder.machine().CallsNamed(L"SHGetPathFromIDList").empty());
}

}  // namespace
