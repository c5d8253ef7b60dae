# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Makes the Windows program's bytes depend on the source alone, not on where, when
# or by whom it was built, so that anyone can rebuild a release and compare it with
# the published file byte for byte.
#
# What would otherwise differ between two builds of one commit:
# - the link time in the PE header (and the header checksum over it): the linker
#   takes SOURCE_DATE_EPOCH instead, the last commit's time, or writes 0 without it;
# - absolute source and build folders that __FILE__ (assertions) or debug records
#   carry: both are rewritten to relative names;
# - archive members' times and owners: archives are made in deterministic mode;
# - __DATE__ and __TIME__: refused outright, no code of ours may need them.
# The resource compiler writes no times into the resource directory, and the
# stripped program has no debug directory; the release test watches both.

# The time a build stands for: SOURCE_DATE_EPOCH when the builder sets it (the
# convention every reproducible toolchain honours), otherwise the last commit's
# time; empty for a source tree without git history.
function(frostlane_source_date_epoch result)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    find_package(Git QUIET)
    if(GIT_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                      RESULT_VARIABLE gitResult ERROR_QUIET)
      if(NOT gitResult EQUAL 0)
        set(epoch "")
      endif()
    endif()
  endif()
  if(NOT epoch STREQUAL "" AND NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be whole seconds since 1970, not '${epoch}'")
  endif()
  set(${result} "${epoch}" PARENT_SCOPE)
endfunction()

# Static archives without member times, owners or modes; ranlib likewise, since it
# rewrites the archive's symbol table member.
macro(frostlane_deterministic_archives)
  foreach(language C CXX)
    set(CMAKE_${language}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${language}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${language}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
  endforeach()
endmacro()

# Compile and link options that keep a target's output free of build paths and
# build times. The binary folder's map comes last because that folder usually lies
# inside the source folder and the compiler applies the last map that matches.
function(frostlane_reproducible target)
  target_compile_options(${target} PRIVATE
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
    -Werror=date-time)
  frostlane_source_date_epoch(epoch)
  if(epoch STREQUAL "")
    message(STATUS "${target}: no SOURCE_DATE_EPOCH and no git history; the PE header's time is 0")
    target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  else()
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
      ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch})
  endif()
endfunction()
