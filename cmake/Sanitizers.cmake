# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# AddressSanitizer and UndefinedBehaviorSanitizer for the native build (the
# linux-asan preset). Every finding stops the program at once
# (-fno-sanitize-recover), so a test that trips one fails instead of printing
# a warning nobody reads. Applies to every target of the tree; the Windows
# program is not built alongside (FROSTLANE_WINDOWS=OFF).
option(FROSTLANE_SANITIZE "Build the native targets with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(FROSTLANE_SANITIZE)
  if(MSVC OR WIN32)
    message(FATAL_ERROR "FROSTLANE_SANITIZE is for the native GCC or Clang build")
  endif()
  set(FROSTLANE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${FROSTLANE_SANITIZER_FLAGS})
  add_link_options(${FROSTLANE_SANITIZER_FLAGS})
endif()
