# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# The notices of the code that the MinGW-w64 link takes into the program from
# others (the C runtime, GCC's runtime libraries, the C++ library), carried by
# the program as the resource THIRD_PARTY_NOTICES, so that they travel with the
# .scr that either way of installing puts alone into the Windows folder.
#
# Which objects and archive members the link takes in is known only once it has
# run, and the resource must be in the program before it does. So a first link
# of the same code and libraries without the resource script (the resources pull
# nothing from any library) writes a link map, packaging/third_party.py turns it
# into the notices, and the program's own link writes its map too: the release
# step (WriteDist.cmake) reads that one again and refuses a program whose link
# took in anything its notices do not cover. A member that no row of
# third_party.py maps stops only the release: this build warns and lists it in
# the notices as not yet reviewed, so a new compiler's program can still be
# shown and tested.
#
# Sets FROSTLANE_NOTICES_DIR to the folder that holds, once built,
# THIRD-PARTY-NOTICES.txt, components.json (the bill of materials' input) and
# the link maps link-probe.map and <program>.map.

find_program(FROSTLANE_DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)

# PROGRAM is the executable target; RESOURCE_SCRIPT, its .rc file, takes the
# notices in where FROSTLANE_THIRD_PARTY_NOTICES is defined.
function(frostlane_third_party_notices program resourceScript)
  set(folder ${CMAKE_BINARY_DIR}/third-party)
  set(probe ${program}_link_probe)
  get_target_property(libraries ${program} LINK_LIBRARIES)
  get_target_property(options ${program} LINK_OPTIONS)
  add_executable(${probe} WIN32 EXCLUDE_FROM_ALL)
  target_link_libraries(${probe} PRIVATE ${libraries})
  target_link_options(${probe} PRIVATE ${options} -Wl,-Map=${folder}/link-probe.map)
  set_target_properties(${probe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder})
  target_link_options(${program} PRIVATE -Wl,-Map=${folder}/${program}.map)

  set(notices ${folder}/THIRD-PARTY-NOTICES.txt)
  add_custom_command(
    OUTPUT ${notices} ${folder}/components.json
    COMMAND ${FROSTLANE_DEBIAN_PYTHON} ${CMAKE_SOURCE_DIR}/packaging/third_party.py notices
            ${folder}/link-probe.map ${folder} --own ${CMAKE_BINARY_DIR} --own ${CMAKE_SOURCE_DIR}
            --compiler ${CMAKE_CXX_COMPILER} --not-a-release --identity ${FROSTLANE_IDENTITY_FILE}
    DEPENDS ${probe} ${CMAKE_SOURCE_DIR}/packaging/third_party.py ${FROSTLANE_IDENTITY_FILE}
    COMMENT "Finding the third-party code in the link and writing its notices"
    VERBATIM)
  add_custom_target(${program}_notices DEPENDS ${notices})
  add_dependencies(${program} ${program}_notices)
  set_property(SOURCE ${resourceScript} APPEND PROPERTY OBJECT_DEPENDS ${notices})
  set_property(SOURCE ${resourceScript} APPEND PROPERTY COMPILE_DEFINITIONS FROSTLANE_THIRD_PARTY_NOTICES)
  target_include_directories(${program} PRIVATE ${folder})
  set(FROSTLANE_NOTICES_DIR ${folder} PARENT_SCOPE)
endfunction()
