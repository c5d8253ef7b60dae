// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The cover form: a plain black, borderless window without a taskbar button and
// with the invisible pointer. It handles no input of its own. Its default instance
// is only ever asked for its window handle (the owner of the shell call that opens
// the web site) and is never shown; covers are further instances.
#pragma once

#include "../startup/runtime/Form.h"

class frmBlack : public runtime::Form {
 public:
  frmBlack();
};
