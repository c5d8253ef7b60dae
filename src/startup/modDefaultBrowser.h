// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Hands a document, such as a web address, to the shell so that the program
// registered for it opens it. It does not wait and reports nothing.
#pragma once

#include <string>

#include "runtime/Form.h"

namespace modDefaultBrowser {

// One shell call: verb "Open", no parameters, no folder, owned by `owner`'s window.
void OpenInBrowser(runtime::Form& owner, const std::wstring& document, int showCommand);

}  // namespace modDefaultBrowser
