// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Messages.h"

#include <iterator>

#include "resource.h"
#include "runtime/Application.h"
#include "runtime/Languages.h"
#include "runtime/Text.h"

namespace messages {

namespace {

struct Wording {
  MessageId id;
  unsigned textId;
  const wchar_t* english;
};

// The English is the program's wording as it has always read, word for word.
constexpr Wording kWordings[] = {
    {MessageId::NoSettings, IDS_NO_SETTINGS,
     L"No settings are available for this screensaver.\r\nWould you like to visit the %1 website?"},
    {MessageId::InstallQuestion, IDS_INSTALL_QUESTION, L"Would you like to install %1?"},
    {MessageId::Installed, IDS_INSTALLED,
     L"The screensaver has been installed. But you will need to open the Display Properties and select "
     L"\"%1\" to activate it."},
    {MessageId::InstallFailed, IDS_INSTALL_FAILED, L"The screensaver could not be installed to %1.\r\n%2"},
    {MessageId::NoWindowsFolder, IDS_NO_WINDOWS_FOLDER, L"The Windows folder could not be found."},
    {MessageId::OutsideWindowsFolder, IDS_OUTSIDE_WINDOWS_FOLDER,
     L"The file would not lie directly in the Windows folder."},
};

// The rows stand in the order of the ids, so an id is its row's index.
constexpr bool RowsInIdOrder() {
  for (std::size_t row = 0; row < std::size(kWordings); ++row) {
    if (static_cast<std::size_t>(kWordings[row].id) != row) return false;
  }
  return std::size(kWordings) == std::size(kEveryMessage);
}
static_assert(RowsInIdOrder(), "one wording per message, in the order of the ids");

const Wording& WordingOf(MessageId id) { return kWordings[static_cast<std::size_t>(id)]; }

}  // namespace

unsigned TextId(MessageId id) { return WordingOf(id).textId; }

const wchar_t* EnglishPattern(MessageId id) { return WordingOf(id).english; }

Message Compose(MessageId id, const std::vector<std::wstring>& parts) {
  const std::wstring english = EnglishPattern(id);
  const runtime::LanguageId language = runtime::UserTable();
  const std::wstring pattern = runtime::LoadResString(TextId(id), language);
  if (pattern.empty() || runtime::PlaceholdersOf(pattern) != runtime::PlaceholdersOf(english)) {
    return Message{runtime::FillIn(english, parts), false};
  }
  return Message{runtime::FillIn(pattern, parts), runtime::ReadsRightToLeft(language)};
}

std::optional<int> Show(const Message& message, int buttons) {
  const int layout = message.rightToLeft ? runtime::vbMsgBoxRight + runtime::vbMsgBoxRtlReading : 0;
  return runtime::MsgBox(message.text, buttons + layout);
}

}  // namespace messages
