// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include "HeadlessProgram.h"
#include "monitors/frmBlack.h"
#include "startup/modMain.h"
#include "startup/runtime/Application.h"

namespace {

enum class Mode { ConfigurationNotice, Preview, Saver, ElevatedCopy };

const wchar_t* Name(Mode mode) {
  switch (mode) {
    case Mode::ConfigurationNotice: return L"configuration notice";
    case Mode::Preview: return L"preview";
    case Mode::Saver: return L"saver";
    case Mode::ElevatedCopy: return L"the install's elevated copy";
  }
  return L"?";
}

Mode Observed(HeadlessProgram& program) {
  if (!program.machine().CallsNamed(L"EndProgramWithStatus").empty()) return Mode::ElevatedCopy;
  if (!program.machine().messageBoxes.empty()) return Mode::ConfigurationNotice;
  if (program.machine().ended) return Mode::Preview;
  return Mode::Saver;
}

TEST(StartupModes, OnlyTheFirstTwoCharactersChooseTheMode) {
  struct Row {
    const wchar_t* arguments;
    Mode mode;
  };
  const Row rows[] = {
      {L"", Mode::ConfigurationNotice},      {L"/C", Mode::ConfigurationNotice},
      {L"/c", Mode::ConfigurationNotice},    {L"/c:1234", Mode::ConfigurationNotice},
      {L"/config", Mode::ConfigurationNotice}, {L"/cp", Mode::ConfigurationNotice},
      {L"/C:8  ", Mode::ConfigurationNotice}, {L"/p 1234", Mode::Preview},
      {L"/P", Mode::Preview},                {L"/preview", Mode::Preview},
      {L"/pc", Mode::Preview},               {L"/s", Mode::Saver},
      {L"/S", Mode::Saver},                  {L"/a", Mode::Saver},
      {L"-c", Mode::Saver},                  {L"c", Mode::Saver},
      {L" /c", Mode::Saver},                 {L"/", Mode::Saver},
      {L"/s /c", Mode::Saver},
      // The install's own switch counts only as the whole argument text, as given.
      {L"/elevated-copy", Mode::ElevatedCopy},  {L"/elevated-copy ", Mode::Saver},
      {L"/elevated-copy x", Mode::Saver},    {L" /elevated-copy", Mode::Saver},
      {L"/ELEVATED-COPY", Mode::Saver},      {L"/elevated-copy /c", Mode::Saver},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.Start(row.arguments);
    EXPECT_EQ(Name(Observed(program)), std::wstring(Name(row.mode))) << "arguments \"" << row.arguments << "\"";
  }
}

TEST(StartupModes, NoticeIsWordedExactlyAndCarriesTheBuildTitle) {
  HeadlessProgram program;
  program.Start(L"/c:1234");
  ASSERT_EQ(program.machine().messageBoxes.size(), 1u);
  const headless::ShownMessageBox& box = program.machine().messageBoxes[0];
  EXPECT_EQ(box.text,
            L"No settings are available for this screensaver.\r\n"
            L"Would you like to visit the Quillon Solutions website?");
  EXPECT_EQ(box.style, 52u);  // Yes/No with the exclamation icon
  EXPECT_EQ(box.caption, L"Quillon Solutions Frostlane 1");
  EXPECT_TRUE(program.machine().ended);
}

TEST(StartupModes, YesOpensTheWebSiteOnceOwnedByTheHiddenCoverFormThenEnds) {
  HeadlessProgram program;
  program.machine().messageBoxAnswers = {6};
  program.Start(L"");
  const runtime::WindowHandle owner = program.project().Black().hWnd();
  const std::vector<std::wstring> expected = {L"ShellExecute(" + std::to_wstring(owner) +
                                              L", \"Open\", \"" FROSTLANE_SITE_W L"\", \"\", \"\", 1)"};
  EXPECT_EQ(program.machine().CallsNamed(L"ShellExecute"), expected);
  EXPECT_NE(owner, 0);
  EXPECT_FALSE(program.machine().windows.at(owner).visible);
  // The shell call comes before the end, and nothing follows the end.
  EXPECT_EQ(program.machine().calls.back(), L"End()");
  EXPECT_TRUE(program.machine().ended);
}

TEST(StartupModes, NoOrAFailedBoxOpensNothingAndEnds) {
  for (bool boxFails : {false, true}) {
    HeadlessProgram program;
    program.machine().messageBoxAnswers = {7};
    if (boxFails) program.machine().Fail(L"MessageBox");
    program.Start(L"/c");
    EXPECT_TRUE(program.machine().CallsNamed(L"ShellExecute").empty()) << "box fails: " << boxFails;
    EXPECT_TRUE(program.machine().ended);
    EXPECT_TRUE(program.machine().CallsNamed(L"CreateFormWindow").empty());
  }
}

TEST(StartupModes, TheNoticeSitsOnTheWindowThatASettingsRequestNames) {
  struct Row {
    const wchar_t* arguments;
    runtime::WindowHandle owner;
  };
  const Row rows[] = {
      {L"/c:1234", 1234},          {L"/C:1234", 1234},          {L"/c 1234", 1234},
      {L"/c   77  ", 77},          {L"/c:4294967295", -1},      {L"/c:2147483648", -2147483647 - 1},
      {L"", 0},                    {L"/c", 0},                  {L"/c:", 0},
      {L"/c: 1234", 0},            {L"/c:12ab", 0},             {L"/c:1234 5", 0},
      {L"/c:-5", 0},               {L"/c:0x10", 0},             {L"/c:+5", 0},
      {L"/c:4294967296", 0},       {L"/c:99999999999999999999999999", 0},
      {L"/config 12", 0},          {L"/cp:12", 0},              {L"/c:0", 0},
      {L"/c1234", 0},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.Start(row.arguments);
    ASSERT_EQ(program.machine().messageBoxes.size(), 1u) << row.arguments;
    EXPECT_EQ(program.machine().messageBoxes[0].owner, row.owner) << "arguments \"" << row.arguments << "\"";
  }
}

TEST(StartupModes, PreviewShowsNothing) {
  HeadlessProgram program;
  program.Start(L"/p 1234");
  EXPECT_TRUE(program.machine().ended);
  EXPECT_TRUE(program.machine().windows.empty());
  EXPECT_TRUE(program.machine().messageBoxes.empty());
}

TEST(StartupModes, OnlyTheSaverPathEmptiesTheTitle) {
  struct Row {
    const wchar_t* arguments;
    const wchar_t* title;
  };
  const Row rows[] = {{L"/s", L""}, {L"/p", L"Quillon Solutions Frostlane 1"}, {L"/c", L"Quillon Solutions Frostlane 1"}};
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.Start(row.arguments);
    EXPECT_EQ(runtime::App().Title(), row.title) << row.arguments;
  }
}

TEST(StartupModes, SaverPathLoadsShowsModallyAndLeavesTheRunToTheEventLoop) {
  HeadlessProgram program;
  program.Start(L"/s");
  EXPECT_FALSE(program.machine().ended);
  EXPECT_TRUE(program.saver().Visible());
  EXPECT_EQ(program.machine().calls.back(), L"RunEventLoop()");
}

TEST(StartupModes, ASaverWithoutAWindowWaitsForNothing) {
  HeadlessProgram program;
  program.machine().SetMonitors({"1280x720+0+0", "1024x768+1280+0"});
  program.machine().Fail(L"CreateFormWindow");
  program.Start(L"/s");
  // Main returns instead of waiting in an event loop for a window that is not
  // there; the Windows entry point then ends the program.
  EXPECT_TRUE(program.machine().CallsNamed(L"RunEventLoop").empty());
  EXPECT_EQ(program.saver().hWnd(), 0);
}

}  // namespace
