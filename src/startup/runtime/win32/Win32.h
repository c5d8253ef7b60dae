// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Windows headers for the Windows build, wide calls throughout. The A/W macros
// that share a name with our own seam functions are removed here; the files below
// call the W forms by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#undef GetMonitorInfo
#undef ShellExecute
#undef SHGetPathFromIDList
#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef FindFirstFile
#undef MessageBox
#undef GetShortPathName
