# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Warnings for every target of ours, spelled per compiler so MSVC and GCC/Clang
# both build the same tree warning-free.
function(frostlane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
      -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
  endif()
endfunction()
