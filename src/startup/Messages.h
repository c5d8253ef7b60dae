// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The program's messages, in the user's display language where the program carries
// a table in it (runtime/Languages.h), else in the program's own English.
//
// Contract: a message is its table's pattern with the parts filled in for %1, %2
// (runtime::FillIn), each translation placing them where its language needs them.
// The English pattern stands in for a table that lacks the message, and for one
// whose pattern holds other placeholders than the English: a box never shows a
// part missing, a stray "%2", or nothing at all. A message in a language read right
// to left is shown aligned right and read right to left.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace messages {

enum class MessageId {
  NoSettings,            // the configuration notice; %1 the maker's name
  InstallQuestion,       // %1 the application title
  Installed,             // the notice of a copy in place; %1 the application title
  InstallFailed,         // %1 the file as the user is told it, %2 the reason
  NoWindowsFolder,       // a reason: the shell knows no Windows folder
  OutsideWindowsFolder,  // a reason: the file would not lie directly in it
};

constexpr MessageId kEveryMessage[] = {MessageId::NoSettings,    MessageId::InstallQuestion,
                                       MessageId::Installed,     MessageId::InstallFailed,
                                       MessageId::NoWindowsFolder, MessageId::OutsideWindowsFolder};

struct Message {
  std::wstring text;
  bool rightToLeft = false;
};

// The message's id in the tables of texts.
unsigned TextId(MessageId id);

// The program's own English: the words the user reads in English and wherever a
// table falls short, and the placeholders every table's pattern must hold.
const wchar_t* EnglishPattern(MessageId id);

// The message in the user's language with `parts` filled in.
Message Compose(MessageId id, const std::vector<std::wstring>& parts = {});

// Shows the message in a modal box with `buttons` (runtime::MsgBox), aligned right
// and read right to left when its language reads so.
std::optional<int> Show(const Message& message, int buttons);

}  // namespace messages
