// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// animations: turns the user's "Show animations in Windows" off (0) or on (1) and
// tells every window, as the Accessibility settings do, so bench/wine_cpu.py can
// measure the saver standing still in the same run as running. Exit status 0 when
// the setting took, 1 when not, 2 on bad usage.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 || (std::wcscmp(argv[1], L"0") != 0 && std::wcscmp(argv[1], L"1") != 0)) return 2;
  const INT_PTR on = argv[1][0] == L'1' ? TRUE : FALSE;
  return SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(on),
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
             ? 0
             : 1;
}
