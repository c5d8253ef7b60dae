// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The process operations the install module calls, answered by the headless machine.
#include "../Backend.h"
#include "Format.h"
#include "Machine.h"

namespace backend {

using headless::Args;
using headless::TheMachine;

void EndProgramWithStatus(ErrorCode status) {
  TheMachine().Call(L"EndProgramWithStatus", Args(status));
  TheMachine().exitStatus = status;
  TheMachine().End();
}

unsigned long ProcessId() { return TheMachine().processId; }

ErrorCode RunElevatedAndWait(const std::wstring& file, const std::wstring& parameters, ErrorCode& exitStatus) {
  headless::Machine& machine = TheMachine();
  if (!machine.Call(L"RunElevatedAndWait", Args(file, parameters))) return machine.FailureError(L"RunElevatedAndWait");
  exitStatus = machine.elevatedRun ? machine.elevatedRun() : 0;
  return 0;
}

bool StartProgram(const std::wstring& file, const std::wstring& arguments, const std::wstring& folder) {
  return TheMachine().Call(L"StartProgram", Args(file, arguments, folder));
}

}  // namespace backend
