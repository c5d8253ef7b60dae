#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HeadlessProgram.h"
#include "install/modInstallCheck.h"
#include "startup/runtime/Application.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::wstring kDownload = L"C:\\Users\\Ann\\Downloads\\frostlane1_install.exe";
const std::wstring kTarget = L"C:\\WINDOWS\\SysWOW64\\..\\Quillon_Solutions_Frostlane_1.scr";
const std::wstring kInstalled = L"C:\\WINDOWS\\Quillon_Solutions_Frostlane_1.scr";
const std::wstring kPartial = kTarget + L".partial";
const std::wstring kQuestion = L"Would you like to install Quillon Solutions Frostlane 1?";
const std::wstring kNotice =
    L"The screensaver has been installed. But you will need to open the Display Properties and select "
    L"\"Quillon Solutions Frostlane 1\" to activate it.";
const Bytes kProgram = {'M', 'Z', 0x90, 0x00, 0x03, 0xFF, 0x00, 'P', 'E'};
const Bytes kEarlierCopy = {'M', 'Z', 'o', 'l', 'd'};
constexpr int kYes = 6;
constexpr int kNo = 7;

// A machine on which the program was downloaded to `modulePath`, with the Windows
// folder in place and an earlier installed copy in it.
void Download(headless::Machine& machine, const std::wstring& modulePath = kDownload) {
  machine.modulePath = modulePath;
  machine.files[modulePath] = headless::FileEntry{kProgram, 0};
  machine.files[L"C:\\WINDOWS"] = headless::FileEntry{{}, backend::kAttributeDirectory};
  machine.files[kInstalled] = headless::FileEntry{kEarlierCopy, 0};
}

std::vector<std::wstring> Texts(const headless::Machine& machine) {
  std::vector<std::wstring> texts;
  for (const auto& box : machine.messageBoxes) texts.push_back(box.text);
  return texts;
}

Bytes BytesAt(const std::wstring& path) {
  const headless::FileEntry* file = headless::FindFile(path);
  return file == nullptr ? Bytes{} : file->bytes;
}

TEST(InstallCheck, OffersOnlyWhenAnOrdinaryExeOfTheRunningNameLiesBesideIt) {
  const std::wstring folder = L"C:\\Saver\\";
  struct Row {
    const char* name;
    std::wstring modulePath;
    std::wstring besideIt;  // "" for nothing
    unsigned attributes;
    bool offered;
  };
  const Row rows[] = {
      {"running as the .exe", folder + L"Frostlane1.exe", L"Frostlane1.exe", 0, true},
      {"read-only and archived .exe", folder + L"Frostlane1.exe", L"Frostlane1.exe", 0x21, true},
      {"as .scr alone", folder + L"Frostlane1.scr", L"", 0, false},
      {"as .scr with an ordinary .exe beside", folder + L"Frostlane1.scr", L"Frostlane1.exe", 0, true},
      {"as .scr with the .exe upper-cased", folder + L"Frostlane1.scr", L"FROSTLANE1.EXE", 0, true},
      {"as .scr with another program's .exe", folder + L"Frostlane1.scr", L"Frostlane2.exe", 0, false},
      {"hidden .exe", folder + L"Frostlane1.exe", L"Frostlane1.exe", backend::kAttributeHidden, false},
      {"system .exe", folder + L"Frostlane1.exe", L"Frostlane1.exe", backend::kAttributeSystem, false},
      {"a folder of that name", folder + L"Frostlane1.scr", L"Frostlane1.exe", backend::kAttributeDirectory, false},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    program.machine().modulePath = row.modulePath;
    if (!row.besideIt.empty()) program.machine().files[folder + row.besideIt] = {kProgram, row.attributes};
    // The preview ends silently, so any box shown came from the install check.
    program.Start(L"/p");
    const std::vector<std::wstring> expected = {L"FindFirstMatch(\"C:\\Saver\\Frostlane1.exe\", 0)"};
    EXPECT_EQ(program.machine().CallsNamed(L"FindFirstMatch"), expected) << row.name;
    EXPECT_EQ(Texts(program.machine()), row.offered ? std::vector<std::wstring>{kQuestion}
                                                    : std::vector<std::wstring>{})
        << row.name;
  }
}

TEST(InstallCheck, AFailedLookupCountsAsNothingToInstall) {
  HeadlessProgram program;
  Download(program.machine());
  program.machine().Fail(L"FindFirstMatch");
  program.Start(L"/s");
  EXPECT_TRUE(program.machine().messageBoxes.empty());
  EXPECT_TRUE(program.saver().Visible());
}

TEST(InstallCheck, QuestionIsWordedExactlyWithYesNoAndTheExclamationAndNoCaptionOfItsOwn) {
  HeadlessProgram program;
  Download(program.machine());
  program.Start(L"");
  ASSERT_FALSE(program.machine().messageBoxes.empty());
  const headless::ShownMessageBox& box = program.machine().messageBoxes[0];
  EXPECT_EQ(box.text, kQuestion);
  EXPECT_EQ(box.style, 52u);
  EXPECT_EQ(box.caption, L"Quillon Solutions Frostlane 1");
}

TEST(InstallCheck, AStartThatLeadsToTheOfferNeverReachesAMode) {
  for (const wchar_t* arguments : {L"", L"/c", L"/p 1234", L"/s"}) {
    for (int answer : {kYes, kNo}) {
      HeadlessProgram program;
      Download(program.machine());
      program.machine().messageBoxAnswers = {answer};
      program.Start(arguments);
      const std::vector<std::wstring> expected =
          answer == kYes ? std::vector<std::wstring>{kQuestion, kNotice} : std::vector<std::wstring>{kQuestion};
      EXPECT_EQ(Texts(program.machine()), expected) << arguments << " answer " << answer;
      EXPECT_TRUE(program.machine().ended);
      EXPECT_TRUE(program.machine().windows.empty()) << arguments;
      // The generator is seeded only after the check, on the way to a mode.
      EXPECT_TRUE(program.machine().CallsNamed(L"SecondsSinceMidnight").empty()) << arguments;
      EXPECT_EQ(program.machine().calls.back(), L"End()");
    }
  }
}

TEST(InstallCheck, NoOrABoxThatCannotBeShownCopiesNothing) {
  for (bool boxFails : {false, true}) {
    HeadlessProgram program;
    Download(program.machine());
    program.machine().messageBoxAnswers = {kNo};
    if (boxFails) program.machine().Fail(L"MessageBox", 1);
    program.Start(L"/s");
    EXPECT_TRUE(program.machine().CallsNamed(L"CopyFileReplacing").empty()) << "box fails: " << boxFails;
    EXPECT_TRUE(program.machine().CallsNamed(L"SHGetSpecialFolderLocation").empty());
    EXPECT_EQ(BytesAt(kInstalled), kEarlierCopy);
    EXPECT_EQ(program.machine().messageBoxes.size(), boxFails ? 0u : 1u);
    EXPECT_TRUE(program.machine().ended);
  }
}

TEST(InstallCheck, YesCopiesTheExeIntoTheWindowsFolderWholeThenTellsHowToActivateIt) {
  struct Row {
    const char* name;
    std::wstring modulePath;
    std::wstring source;
    bool earlierCopy;
  };
  const Row rows[] = {
      {"first install", kDownload, kDownload, false},
      {"reinstall over an earlier copy", kDownload, kDownload, true},
      {"a download folder outside the ANSI code page", L"C:\\Users\\Ann\\Загрузки\\ダウンロード\\frostlane1_install.exe",
       L"C:\\Users\\Ann\\Загрузки\\ダウンロード\\frostlane1_install.exe", true},
      // Started under another name, it copies the .exe that stands beside it.
      {"a .scr beside its .exe", L"C:\\Saver\\Frostlane1.scr", L"C:\\Saver\\Frostlane1.exe", true},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine, row.source);
    machine.modulePath = row.modulePath;
    if (row.modulePath != row.source) machine.files[row.modulePath] = {Bytes{'s', 'c', 'r'}, 0};
    if (!row.earlierCopy) machine.files.erase(kInstalled);
    machine.messageBoxAnswers = {kYes};
    program.Start(L"/s");

    const std::vector<std::wstring> copies = {L"CopyFileReplacing(\"" + row.source + L"\", \"" + kPartial + L"\")"};
    const std::vector<std::wstring> moves = {L"MoveFileReplacing(\"" + kPartial + L"\", \"" + kTarget + L"\")"};
    EXPECT_EQ(machine.CallsNamed(L"CopyFileReplacing"), copies) << row.name;
    EXPECT_EQ(machine.CallsNamed(L"MoveFileReplacing"), moves) << row.name;
    const std::vector<std::wstring> folderLookup = {L"SHGetSpecialFolderLocation(0, 41)"};
    EXPECT_EQ(machine.CallsNamed(L"SHGetSpecialFolderLocation"), folderLookup);
    EXPECT_EQ(BytesAt(kInstalled), kProgram) << row.name;
    EXPECT_EQ(headless::FindFile(kPartial), nullptr) << row.name;

    ASSERT_EQ(machine.messageBoxes.size(), 2u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].text, kNotice);
    EXPECT_EQ(machine.messageBoxes[1].style, 48u);
    EXPECT_EQ(machine.messageBoxes[1].caption, L"Quillon Solutions Frostlane 1");
    EXPECT_TRUE(machine.ended);
  }
}

TEST(InstallCheck, TheInstallNameIsTheTitleWithEveryBlankTurnedIntoAnUnderscore) {
  struct Row {
    const wchar_t* title;
    const wchar_t* installedAs;
  };
  const Row rows[] = {
      {L"Frostlane", L"C:\\WINDOWS\\Frostlane.scr"},
      {L" Frost  lane ", L"C:\\WINDOWS\\_Frost__lane_.scr"},
      {L"Quillon Solutions Frostlane 1", L"C:\\WINDOWS\\Quillon_Solutions_Frostlane_1.scr"},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    Download(program.machine());
    program.machine().messageBoxAnswers = {kYes};
    runtime::App().SetTitle(row.title);
    program.machine().Run([] { modInstallCheck::CheckInstall(); });

    EXPECT_EQ(BytesAt(row.installedAs), kProgram) << row.title;
    ASSERT_EQ(program.machine().messageBoxes.size(), 2u) << row.title;
    // Both boxes carry the title as their caption, since neither passes one.
    for (const auto& box : program.machine().messageBoxes) EXPECT_EQ(box.caption, row.title);
    EXPECT_EQ(program.machine().messageBoxes[0].text, L"Would you like to install " + std::wstring(row.title) + L"?");
    EXPECT_EQ(program.machine().messageBoxes[1].text, modInstallCheck::InstalledNotice(row.title));
  }
}

TEST(InstallCheck, AFailedInstallIsToldWithItsReasonAndLeavesNoPartialFile) {
  const std::wstring failedTo = L"The screensaver could not be installed to " + kTarget + L".\r\n";
  struct Row {
    const char* name;
    std::function<void(headless::Machine&)> arrange;
    std::wstring text;
    bool copyTried;
  };
  const Row rows[] = {
      {"copy refused", [](headless::Machine& m) { m.Fail(L"CopyFileReplacing"); },
       failedTo + L"Access is denied.", true},
      {"copy cut short", [](headless::Machine& m) { m.copyBreaksAfterBytes = 4; },
       failedTo + L"There is not enough space on the disk.", true},
      {"move refused", [](headless::Machine& m) { m.Fail(L"MoveFileReplacing"); },
       failedTo + L"Access is denied.", true},
      {"a folder stands at the target",
       [](headless::Machine& m) { m.files[kInstalled] = {{}, backend::kAttributeDirectory}; },
       failedTo + L"Access is denied.", true},
      {"Windows folder missing",
       [](headless::Machine& m) {
         m.files.erase(L"C:\\WINDOWS");
         m.files.erase(kInstalled);
       },
       failedTo + L"The system cannot find the path specified.", true},
      {"no system folder known", [](headless::Machine& m) { m.specialFolders.clear(); },
       L"The screensaver could not be installed to Quillon_Solutions_Frostlane_1.scr.\r\n"
       L"The Windows folder could not be found.",
       false},
      {"no path for the system folder", [](headless::Machine& m) { m.Fail(L"SHGetPathFromIDList"); },
       L"The screensaver could not be installed to Quillon_Solutions_Frostlane_1.scr.\r\n"
       L"The Windows folder could not be found.",
       false},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine);
    row.arrange(machine);
    const headless::FileEntry* earlier = headless::FindFile(kInstalled);
    const headless::FileEntry before = earlier != nullptr ? *earlier : headless::FileEntry{};
    machine.messageBoxAnswers = {kYes};
    program.Start(L"/s");

    ASSERT_EQ(machine.messageBoxes.size(), 2u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].text, row.text) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].style, 48u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].caption, L"Quillon Solutions Frostlane 1") << row.name;
    EXPECT_TRUE(machine.ended) << row.name;
    EXPECT_EQ(machine.CallsNamed(L"CopyFileReplacing").empty(), !row.copyTried) << row.name;
    // Whatever stood at the target before stands there still, and nothing is left
    // half-written beside it or in the root of the drive.
    const headless::FileEntry* after = headless::FindFile(kInstalled);
    EXPECT_EQ(after != nullptr, earlier != nullptr) << row.name;
    if (after != nullptr) {
      EXPECT_EQ(after->bytes, before.bytes) << row.name;
      EXPECT_EQ(after->attributes, before.attributes) << row.name;
    }
    EXPECT_EQ(headless::FindFile(kPartial), nullptr) << row.name;
    EXPECT_EQ(headless::FindFile(L"C:\\Quillon_Solutions_Frostlane_1.scr"), nullptr) << row.name;
  }
}

}  // namespace
