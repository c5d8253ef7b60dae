// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "lib_ontop.h"

#include "../startup/runtime/WindowsApi.h"

namespace lib_ontop {

void SetOnTop(runtime::Form& form, bool onTop) {
  const runtime::WindowHandle after = onTop ? platform::kHwndTopmost : platform::kHwndNotTopmost;
  platform::SetWindowPos(form.hWnd(), after, 0, 0, 0, 0, platform::kSwpNoSize | platform::kSwpNoMove);
}

}  // namespace lib_ontop
