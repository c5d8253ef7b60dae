# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Cross-compiles the Windows program from Linux with MinGW-w64 (x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
# Debian installs two builds of the compiler, with win32 or POSIX threads, and
# the unsuffixed names follow whichever update-alternatives picked. They link
# different runtimes into the program, so a release must name the one it is
# built with: the win32 thread model, which needs no winpthread.
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

# Flags from the builder's environment would change the program's bytes (and
# native ones like -march=native would not even suit Windows machines): the
# Windows build takes its flags from this source alone.
foreach(flags CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS)
  unset(ENV{${flags}})
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
