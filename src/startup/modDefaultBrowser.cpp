// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "modDefaultBrowser.h"

#include "runtime/WindowsApi.h"

namespace modDefaultBrowser {

void OpenInBrowser(runtime::Form& owner, const std::wstring& document, int showCommand) {
  platform::ShellExecute(owner.hWnd(), L"Open", document, L"", L"", showCommand);
}

}  // namespace modDefaultBrowser
