// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "ElevatedCopy.h"

#include "../startup/runtime/Application.h"
#include "../startup/runtime/WindowsApi.h"
#include "InstallTarget.h"
#include "WholeCopy.h"
#include "modSystemFolders.h"

namespace modInstallCheck {

namespace {
constexpr backend::ErrorCode kAccessDenied = 5;
constexpr backend::ErrorCode kPrivilegeNotHeld = 1314;
constexpr backend::ErrorCode kElevationRequired = 740;
constexpr backend::ErrorCode kPathNotFound = 3;
}  // namespace

bool LacksRights(backend::ErrorCode error) {
  return error == kAccessDenied || error == kPrivilegeNotHeld || error == kElevationRequired;
}

backend::ErrorCode CopyInElevatedRun() {
  // No path, name or folder travels to the elevated run: it works them out itself.
  backend::ErrorCode exitStatus = 0;
  const backend::ErrorCode error =
      backend::RunElevatedAndWait(backend::ModuleFileName(), kElevatedCopySwitch, exitStatus);
  return error != 0 ? error : exitStatus;
}

backend::ErrorCode ElevatedCopy() {
  const std::wstring systemFolder = modSystemFolders::GetSpecialFolder(platform::kCsidlSystemX86);
  if (systemFolder.empty()) return kPathNotFound;
  const InstallTarget target = TargetFor(systemFolder, runtime::App().Title());
  if (target.path.empty()) return kBadPathName;

  const std::wstring source = PlainPath(backend::ModuleFileName());
  if (source.empty()) return kBadPathName;
  unsigned attributes = 0;
  const backend::ErrorCode error = backend::GetAttributes(source, attributes);
  if (error != 0) return error;
  const unsigned notAFile = backend::kAttributeDirectory | backend::kAttributeDevice | backend::kAttributeReparsePoint;
  // The installed copy started with the switch would copy itself over itself.
  if ((attributes & notAFile) != 0 || SamePlainPath(source, target.path)) return kInvalidParameter;

  return CopyWholeOrNothing(source, target.path);
}

void RunElevatedCopy() { backend::EndProgramWithStatus(ElevatedCopy()); }

}  // namespace modInstallCheck
