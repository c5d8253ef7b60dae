// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Where the install copy goes, and the check that it can go nowhere else.
//
// Contract: `TargetFor(systemFolder, title)` gives the installed file,
// `systemFolder` + "\..\" + the install name + ".scr", as a plain path: absolute
// on a drive, "." and ".." resolved. The plain path is "" unless the file lies
// directly in the Windows folder (the parent of `systemFolder`, itself no drive
// root) under exactly that name: a name holding a separator, a drive or stream
// colon, a wildcard or a device name, or a folder answer that is relative or
// climbs to a root, gives "". The user is told the plain path, the place they
// know; a refused target is told as it was put together, which shows what was odd.
#pragma once

#include <string>

namespace modInstallCheck {

struct InstallTarget {
  std::wstring named;  // as the user is told it
  std::wstring path;   // the plain path written to; "" when refused
};

InstallTarget TargetFor(const std::wstring& systemFolder, const std::wstring& title);

// `path` as a plain absolute path on a drive ("C:\A\B"): separators made single
// backslashes, "." and ".." resolved; "" for any other kind of path or one that
// climbs above its drive's root.
std::wstring PlainPath(const std::wstring& path);

// Whether two paths name the same file by their plain paths, regardless of case.
bool SamePlainPath(const std::wstring& a, const std::wstring& b);

}  // namespace modInstallCheck
