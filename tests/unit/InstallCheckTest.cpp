// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HeadlessProgram.h"
#include "install/ElevatedCopy.h"
#include "install/InstallTarget.h"
#include "install/WholeCopy.h"
#include "install/modInstallCheck.h"
#include "startup/runtime/Application.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::wstring kDownload = L"C:\\Users\\Ann\\Downloads\\frostlane1_install.exe";
const std::wstring kInstalled = L"C:\\WINDOWS\\Quillon_Solutions_Frostlane_1.scr";
// The temporary file of the first try of the test machine's process (4242).
const std::wstring kPartial = kInstalled + L".4242-1.partial";
const std::wstring kQuestion = L"Would you like to install Quillon Solutions Frostlane 1?";
const std::wstring kNotice =
    L"The screensaver has been installed. But you will need to open the Display Properties and select "
    L"\"Quillon Solutions Frostlane 1\" to activate it.";
// The Screen Saver settings opened on the installed file, as recorded.
std::wstring SettingsOpenedOn(const std::wstring& path) {
  return L"StartProgram(\"C:\\WINDOWS\\system32\\rundll32.exe\", \"desk.cpl,InstallScreenSaver " + path +
         L"\", \"C:\\WINDOWS\\system32\")";
}
const std::wstring kSettingsOpened = SettingsOpenedOn(kInstalled);
const Bytes kProgram = {'M', 'Z', 0x90, 0x00, 0x03, 0xFF, 0x00, 'P', 'E'};
const Bytes kEarlierCopy = {'M', 'Z', 'o', 'l', 'd'};
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kSharingViolation = 32;
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
      EXPECT_EQ(program.machine().CallsNamed(L"StartProgram").size(), answer == kYes ? 1u : 0u) << arguments;
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
    EXPECT_TRUE(program.machine().CallsNamed(L"CopyFileToNew").empty()) << "box fails: " << boxFails;
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
    unsigned earlierAttributes = 0;
  };
  const Row rows[] = {
      {"first install", kDownload, kDownload, false},
      {"reinstall over an earlier copy", kDownload, kDownload, true},
      // Windows replaces no read-only file; the install clears the flag of its
      // own target first.
      {"reinstall over a read-only earlier copy", kDownload, kDownload, true, backend::kAttributeReadOnly},
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
    if (row.earlierCopy) machine.files[kInstalled].attributes = row.earlierAttributes;
    machine.messageBoxAnswers = {kYes};
    program.Start(L"/s");

    const std::vector<std::wstring> copies = {L"CopyFileToNew(\"" + row.source + L"\", \"" + kPartial + L"\")"};
    const std::vector<std::wstring> moves = {L"MoveFileReplacing(\"" + kPartial + L"\", \"" + kInstalled + L"\")"};
    EXPECT_EQ(machine.CallsNamed(L"CopyFileToNew"), copies) << row.name;
    EXPECT_EQ(machine.CallsNamed(L"MoveFileReplacing"), moves) << row.name;
    const std::vector<std::wstring> folderLookup = {L"SHGetSpecialFolderLocation(0, 41)",
                                                    L"SHGetSpecialFolderLocation(0, 37)"};
    EXPECT_EQ(machine.CallsNamed(L"SHGetSpecialFolderLocation"), folderLookup);
    EXPECT_EQ(BytesAt(kInstalled), kProgram) << row.name;
    EXPECT_EQ(headless::FindFile(kPartial), nullptr) << row.name;
    EXPECT_TRUE(machine.CallsNamed(L"RunElevatedAndWait").empty()) << row.name;

    ASSERT_EQ(machine.messageBoxes.size(), 2u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].text, kNotice);
    EXPECT_EQ(machine.messageBoxes[1].style, 48u);
    EXPECT_EQ(machine.messageBoxes[1].caption, L"Quillon Solutions Frostlane 1");
    // Opened once the notice is answered, as the last thing before the end.
    EXPECT_EQ(machine.calls.end()[-2], kSettingsOpened) << row.name;
    EXPECT_TRUE(machine.ended);
  }
}

// rundll32.exe runs from the system folder as a plain absolute path or not at
// all, and a start that fails shows nothing more: the notice has said what to do.
TEST(InstallCheck, TheSettingsOpenOnlyFromTheSystemFolderAndAFailedStartShowsNothing) {
  struct Row {
    const wchar_t* systemFolder;   // what the shell answers for folder 37
    const wchar_t* windowsFolder;  // the Windows folder the shell gives through folder 41
    bool startFails;
    bool opened;
    const wchar_t* shortForm = nullptr;  // the installed file's short form, if any
    const wchar_t* chosen = nullptr;     // the path the settings are given, if not the installed one
    bool shortFormFails = false;
  };
  const Row rows[] = {
      {L"C:\\WINDOWS\\system32", L"C:\\WINDOWS", true, true},
      {L"C:\\WINDOWS\\.\\system32\\", L"C:\\WINDOWS", false, true},
      {L"", L"C:\\WINDOWS", false, false},
      {L"system32", L"C:\\WINDOWS", false, false},
      {L"C:\\", L"C:\\WINDOWS", false, false},
      {L"C:\\WINDOWS\\system32", L"C:\\WIN\"DOWS", false, false},
      // The path goes bare; one with a blank or a tab only in a short form without.
      {L"C:\\WINDOWS\\system32", L"C:\\WINDOWS", false, true, L"C:\\WINDOWS\\QUILLO~1.SCR"},
      {L"C:\\WINDOWS\\system32", L"C:\\My Windows", false, true, L"C:\\MYWIND~1\\QUILLO~1.SCR",
       L"C:\\MYWIND~1\\QUILLO~1.SCR"},
      {L"C:\\WINDOWS\\system32", L"C:\\My Windows", false, false},
      {L"C:\\WINDOWS\\system32", L"C:\\My\tWindows", false, false},
      {L"C:\\WINDOWS\\system32", L"C:\\My Windows", false, false, L"C:\\MYWIND~1\\QUILLO~1.SCR", nullptr, true},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine);
    machine.specialFolders[37] = row.systemFolder;
    machine.specialFolders[41] = row.windowsFolder + std::wstring(L"\\SysWOW64");
    machine.files[row.windowsFolder] = {{}, backend::kAttributeDirectory};
    if (row.startFails) machine.Fail(L"StartProgram");
    const std::wstring installed = row.windowsFolder + std::wstring(L"\\Quillon_Solutions_Frostlane_1.scr");
    if (row.shortForm != nullptr) machine.shortPaths[installed] = row.shortForm;
    if (row.shortFormFails) machine.Fail(L"GetShortPathName");
    machine.messageBoxAnswers = {kYes};
    program.Start(L"");
    EXPECT_EQ(Texts(machine), (std::vector<std::wstring>{kQuestion, kNotice})) << row.systemFolder;
    const std::wstring opened = SettingsOpenedOn(row.chosen != nullptr ? row.chosen : installed);
    EXPECT_EQ(machine.CallsNamed(L"StartProgram"), row.opened ? std::vector<std::wstring>{opened}
                                                               : std::vector<std::wstring>{})
        << row.systemFolder << " in " << row.windowsFolder;
    EXPECT_EQ(machine.calls.back(), L"End()") << row.systemFolder;
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
    EXPECT_EQ(program.machine().messageBoxes[1].text, modInstallCheck::InstalledNotice(row.title).text);
  }
}

TEST(InstallCheck, AFailedInstallIsToldWithItsReasonAndLeavesNoPartialFile) {
  const std::wstring failedTo = L"The screensaver could not be installed to " + kInstalled + L".\r\n";
  struct Row {
    const char* name;
    std::function<void(headless::Machine&)> arrange;
    std::wstring text;
    bool copyTried;
  };
  const Row rows[] = {
      {"copy refused", [](headless::Machine& m) { m.Fail(L"CopyFileToNew", -1, kSharingViolation); },
       failedTo + L"The process cannot access the file because it is being used by another process.", true},
      {"copy cut short", [](headless::Machine& m) { m.copyBreaksAfterBytes = 4; },
       failedTo + L"There is not enough space on the disk.", true},
      // The user is told the place they know, however the shell spelt the folder.
      {"copy refused, system folder with a trailing separator",
       [](headless::Machine& m) {
         m.specialFolders[41] = L"C:\\WINDOWS\\.\\SysWOW64\\";
         m.Fail(L"CopyFileToNew", -1, kSharingViolation);
       },
       failedTo + L"The process cannot access the file because it is being used by another process.", true},
      {"move refused", [](headless::Machine& m) { m.Fail(L"MoveFileReplacing", -1, kSharingViolation); },
       failedTo + L"The process cannot access the file because it is being used by another process.", true},
      {"read-only earlier copy, move refused",
       [](headless::Machine& m) {
         m.files[kInstalled].attributes = backend::kAttributeReadOnly;
         m.Fail(L"MoveFileReplacing", -1, kSharingViolation);
       },
       failedTo + L"The process cannot access the file because it is being used by another process.", true},
      {"read-only download, move refused",
       [](headless::Machine& m) {
         m.files[kDownload].attributes = backend::kAttributeReadOnly;
         m.Fail(L"MoveFileReplacing", -1, kSharingViolation);
       },
       failedTo + L"The process cannot access the file because it is being used by another process.", true},
      // Windows refuses a folder at the target as "access denied", which would
      // ask for rights that cannot help: it is told at once.
      {"a folder stands at the target",
       [](headless::Machine& m) { m.files[kInstalled] = {{}, backend::kAttributeDirectory}; },
       failedTo + L"Cannot create a file when that file already exists.", false},
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
    const std::size_t filesBefore = machine.files.size();
    const headless::FileEntry* earlier = headless::FindFile(kInstalled);
    const headless::FileEntry before = earlier != nullptr ? *earlier : headless::FileEntry{};
    machine.messageBoxAnswers = {kYes};
    program.Start(L"/s");

    ASSERT_EQ(machine.messageBoxes.size(), 2u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].text, row.text) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].style, 48u) << row.name;
    EXPECT_EQ(machine.messageBoxes[1].caption, L"Quillon Solutions Frostlane 1") << row.name;
    EXPECT_TRUE(machine.ended) << row.name;
    EXPECT_EQ(machine.CallsNamed(L"CopyFileToNew").empty(), !row.copyTried) << row.name;
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
    EXPECT_EQ(machine.files.size(), filesBefore) << row.name;
    // None of these failures is for want of rights.
    EXPECT_TRUE(machine.CallsNamed(L"RunElevatedAndWait").empty()) << row.name;
    EXPECT_TRUE(machine.CallsNamed(L"StartProgram").empty()) << row.name;
  }
}

// A copy refused for want of rights is made once more by the program's own file
// started with raised rights; here that run is the real elevated copy on the same
// machine, so what it writes is what the user gets.
TEST(InstallCheck, ACopyRefusedForWantOfRightsIsMadeOnceMoreWithRaisedRights) {
  const std::wstring failedTo = L"The screensaver could not be installed to " + kInstalled + L".\r\n";
  enum class Launch { NotTried, ChildCopies, Cancelled, ChildStatus112 };
  struct Row {
    const char* name;
    unsigned long firstCopyError;  // 0: the unelevated copy succeeds
    int copiesRefused;             // how many copies fail with that error
    Launch launch;
    std::wstring text;             // the box after the question
    Bytes installed;
  };
  const std::wstring cancelled = L"The operation was canceled by the user.";
  const Row rows[] = {
      {"access denied, then the child copies", kAccessDenied, 1, Launch::ChildCopies, kNotice, kProgram},
      {"privilege not held, then the child copies", 1314, 1, Launch::ChildCopies, kNotice, kProgram},
      {"elevation required, then the child copies", 740, 1, Launch::ChildCopies, kNotice, kProgram},
      {"access denied, then the user declines", kAccessDenied, 1, Launch::Cancelled, failedTo + cancelled,
       kEarlierCopy},
      {"access denied, and the child is refused too", kAccessDenied, 2, Launch::ChildCopies,
       failedTo + L"Access is denied.", kEarlierCopy},
      {"access denied, then the child ends with 112", kAccessDenied, 1, Launch::ChildStatus112,
       failedTo + L"There is not enough space on the disk.", kEarlierCopy},
      {"sharing violation", kSharingViolation, 1, Launch::NotTried,
       failedTo + L"The process cannot access the file because it is being used by another process.", kEarlierCopy},
      {"no Windows folder", 3, 1, Launch::NotTried, failedTo + L"The system cannot find the path specified.", {}},
      {"the unelevated copy succeeds", 0, 0, Launch::NotTried, kNotice, kProgram},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine);
    if (row.firstCopyError == 3) {
      machine.files.erase(L"C:\\WINDOWS");
      machine.files.erase(kInstalled);
    } else if (row.copiesRefused > 0) {
      machine.Fail(L"CopyFileToNew", row.copiesRefused, row.firstCopyError);
    }
    if (row.launch == Launch::Cancelled) machine.Fail(L"RunElevatedAndWait", 1, 1223);
    machine.elevatedRun = [launch = row.launch] {
      return launch == Launch::ChildStatus112 ? 112ul : modInstallCheck::ElevatedCopy();
    };
    machine.messageBoxAnswers = {kYes};
    program.Start(L"");

    const std::vector<std::wstring> launches =
        row.launch == Launch::NotTried
            ? std::vector<std::wstring>{}
            : std::vector<std::wstring>{L"RunElevatedAndWait(\"" + kDownload + L"\", \"/elevated-copy\")"};
    EXPECT_EQ(machine.CallsNamed(L"RunElevatedAndWait"), launches) << row.name;
    EXPECT_EQ(Texts(machine), (std::vector<std::wstring>{kQuestion, row.text})) << row.name;
    EXPECT_EQ(BytesAt(kInstalled), row.installed) << row.name;
    // The ordinary run opens the settings once, whichever run made the copy.
    EXPECT_EQ(machine.CallsNamed(L"StartProgram").size(), row.text == kNotice ? 1u : 0u) << row.name;
    for (const auto& file : machine.files) EXPECT_EQ(file.first.find(L".partial"), std::wstring::npos) << row.name;
    EXPECT_TRUE(machine.ended) << row.name;
  }
}

TEST(InstallCheck, ATargetOutsideTheWindowsFolderWritesNothing) {
  struct Row {
    std::wstring title;
    std::wstring systemFolder;  // what the shell answers
  };
  const std::wstring system = L"C:\\WINDOWS\\SysWOW64";
  const Row rows[] = {
      {L"..\\Frostlane", system},
      {L"Frost\\..\\..\\lane", system},
      {L"Frost/lane", system},
      {L"Frost\tlane", system},
      {L"Frostlane:hidden", system},
      {L"C:Frostlane", system},
      {L"Frost*", system},
      {L"NUL", system},
      {L"com1", system},
      {L"Quillon Solutions Frostlane 1", L"C:\\SysWOW64"},        // a drive's root
      {L"Quillon Solutions Frostlane 1", L"WINDOWS\\SysWOW64"},  // relative
      {L"Quillon Solutions Frostlane 1", L"\\\\?\\C:\\WINDOWS\\SysWOW64"},
      {L"Quillon Solutions Frostlane 1", L"C:\\..\\SysWOW64"},
  };
  for (const Row& row : rows) {
    const std::wstring name = row.title + L" in " + row.systemFolder;
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine);
    machine.specialFolders[41] = row.systemFolder;
    const auto filesBefore = machine.files;
    machine.messageBoxAnswers = {kYes};
    runtime::App().SetTitle(row.title);
    machine.Run([] { modInstallCheck::CheckInstall(); });

    const std::wstring told = row.systemFolder + L"\\..\\" + modInstallCheck::InstallName(row.title) + L".scr";
    EXPECT_EQ(Texts(machine).back(), L"The screensaver could not be installed to " + told +
                                         L".\r\nThe file would not lie directly in the Windows folder.")
        << name;
    EXPECT_TRUE(machine.CallsNamed(L"CopyFileToNew").empty()) << name;
    EXPECT_TRUE(machine.CallsNamed(L"RunElevatedAndWait").empty()) << name;
    EXPECT_EQ(machine.files.size(), filesBefore.size()) << name;

    // The elevated run refuses the same target by itself.
    HeadlessProgram child;
    Download(child.machine());
    child.machine().specialFolders[41] = row.systemFolder;
    runtime::App().SetTitle(row.title);
    child.machine().Run([] { modInstallCheck::RunElevatedCopy(); });
    EXPECT_EQ(child.machine().exitStatus, modInstallCheck::kBadPathName) << name;
    EXPECT_TRUE(child.machine().CallsNamed(L"CopyFileToNew").empty()) << name;
  }
}

// The run started with the switch: it works out its source and target itself,
// shows nothing and ends with 0 or the error code.
TEST(InstallCheck, TheElevatedRunCopiesItsOwnFileOrEndsWithTheErrorCode) {
  const std::wstring stale = kInstalled + L".4242-1.partial";
  struct Row {
    const char* name;
    std::function<void(headless::Machine&)> arrange;
    unsigned long exitStatus;
    Bytes installed;
  };
  const Row rows[] = {
      {"copies its own file", [](headless::Machine&) {}, 0, kProgram},
      {"replaces a read-only earlier copy",
       [](headless::Machine& m) { m.files[kInstalled].attributes = backend::kAttributeReadOnly; }, 0, kProgram},
      {"another run holds the first temporary name",
       [&](headless::Machine& m) { m.files[stale] = {Bytes{'x'}, 0}; }, 0, kProgram},
      {"refused", [](headless::Machine& m) { m.Fail(L"CopyFileToNew", -1, kAccessDenied); }, kAccessDenied,
       kEarlierCopy},
      {"copy cut short", [](headless::Machine& m) { m.copyBreaksAfterBytes = 4; }, 112, kEarlierCopy},
      {"a folder at the target", [](headless::Machine& m) { m.files[kInstalled] = {{}, backend::kAttributeDirectory}; },
       modInstallCheck::kFolderAtTarget, {}},
      {"no system folder", [](headless::Machine& m) { m.specialFolders.clear(); }, 3, kEarlierCopy},
      {"started as the installed copy itself", 
       [](headless::Machine& m) { m.modulePath = L"c:\\windows\\.\\QUILLON_SOLUTIONS_FROSTLANE_1.SCR"; },
       modInstallCheck::kInvalidParameter, kEarlierCopy},
      {"its own path names a folder",
       [](headless::Machine& m) {
         m.modulePath = L"C:\\Users\\Ann\\Downloads";
         m.files[m.modulePath] = {{}, backend::kAttributeDirectory};
       },
       modInstallCheck::kInvalidParameter, kEarlierCopy},
      {"its own path is relative", [](headless::Machine& m) { m.modulePath = L"frostlane1_install.exe"; },
       modInstallCheck::kBadPathName, kEarlierCopy},
  };
  for (const Row& row : rows) {
    HeadlessProgram program;
    headless::Machine& machine = program.machine();
    Download(machine);
    row.arrange(machine);
    const auto filesBefore = machine.files;
    program.Start(modInstallCheck::kElevatedCopySwitch);

    EXPECT_TRUE(machine.ended) << row.name;
    EXPECT_EQ(machine.exitStatus, row.exitStatus) << row.name;
    EXPECT_EQ(BytesAt(kInstalled), row.installed) << row.name;
    EXPECT_TRUE(machine.messageBoxes.empty()) << row.name;
    EXPECT_TRUE(machine.windows.empty()) << row.name;
    EXPECT_TRUE(machine.CallsNamed(L"FindFirstMatch").empty()) << row.name;
    EXPECT_TRUE(machine.CallsNamed(L"StartProgram").empty()) << row.name;
    // Nothing but the target changes: no temporary file stays, and another run's is left alone.
    std::vector<std::wstring> changed;
    for (const auto& file : machine.files) {
      const auto before = filesBefore.find(file.first);
      if (before == filesBefore.end() || before->second.bytes != file.second.bytes) changed.push_back(file.first);
    }
    for (const auto& file : filesBefore) {
      if (machine.files.count(file.first) == 0) changed.push_back(file.first + L" (gone)");
    }
    const std::vector<std::wstring> expected =
        row.exitStatus == 0 ? std::vector<std::wstring>{kInstalled} : std::vector<std::wstring>{};
    EXPECT_EQ(changed, expected) << row.name;
  }
}

}  // namespace
