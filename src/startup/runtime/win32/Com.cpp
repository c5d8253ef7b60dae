// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Com.h"

#include "Win32.h"

namespace backend {

void InitialiseCom() {
  // Without OLE1's DDE, as the shell asks of its callers. A failure leaves the
  // shell to do without; the process ends without leaving the apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace backend
