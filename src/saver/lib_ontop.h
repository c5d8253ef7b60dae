// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Puts a form's window at the top of the z-order, above every window that is not
// topmost, or takes it out of the topmost band; position and size stay.
#pragma once

#include "../startup/runtime/Form.h"

namespace lib_ontop {

void SetOnTop(runtime::Form& form, bool onTop);

}  // namespace lib_ontop
