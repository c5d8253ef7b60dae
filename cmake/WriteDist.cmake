# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Puts the release into its folder: the program, signed when the environment
# holds a code-signing certificate (see SignRelease.cmake); its Windows Installer
# package (packaging/make_msi.py), which carries the program as released and is
# signed with it; THIRD-PARTY-NOTICES.txt, the notices the program carries; the
# bill of materials <program>.cdx.json (CycloneDX), written after signing for
# the files as published; and SHA256SUMS for all four, one line per file in
# the form `sha256sum -c` reads ("<hex digest>  <name>"). Nothing goes into the
# folder before every file is made, so a failure leaves none of them there.
# Run as: cmake -DPROGRAM=<built Frostlane1.exe> -DDIST=<folder> -DWORK=<scratch folder>
#               -DTITLE=<program name> -DURL=<maker's web site>
#               -DIDENTITY=<the build's identity.json, for the notices and the bill>
#               -DNOTICES=<the build's third-party folder, see ThirdPartyNotices.cmake>
#               [-DCOMPILER=<the C++ compiler that built it>]
#               [-DEPOCH=<the release's time, SOURCE_DATE_EPOCH>] -P WriteDist.cmake
include("${CMAKE_CURRENT_LIST_DIR}/SignRelease.cmake")

if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program to release at '${PROGRAM}'")
endif()
get_filename_component(name "${PROGRAM}" NAME)
get_filename_component(stem "${PROGRAM}" NAME_WE)
set(package "${stem}.msi")
set(bill "${stem}.cdx.json")
set(notices "THIRD-PARTY-NOTICES.txt")
file(MAKE_DIRECTORY "${DIST}" "${WORK}/unsigned")
# A stale file from an earlier release must not survive beside the new checksum,
# nor stand in dist/ when this release fails.
file(REMOVE "${DIST}/${name}" "${DIST}/${package}" "${DIST}/${notices}" "${DIST}/${bill}" "${DIST}/SHA256SUMS"
     "${WORK}/${notices}" "${WORK}/${bill}")

# Debian's own python3 first: it is the one with libmsi's bindings and
# python-debian.
find_program(python NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(python NAMES python3)
if(NOT python)
  message(FATAL_ERROR "Making the release: python3 is not installed")
endif()

# The notices the program carries were made from a trial link; the program's own
# link must have taken in from outside exactly what they cover.
if(NOT EXISTS "${NOTICES}/${notices}" OR NOT EXISTS "${NOTICES}/${stem}.map")
  message(FATAL_ERROR "No third-party notices and link map of ${name} in '${NOTICES}': "
                      "the release is built with MinGW-w64 only")
endif()
file(REMOVE_RECURSE "${WORK}/linked")
# Without COMPILER, third_party.py asks the compiler the toolchain file names.
set(compilerOption "")
if(COMPILER)
  set(compilerOption --compiler "${COMPILER}")
endif()
execute_process(
  COMMAND "${python}" "${CMAKE_CURRENT_LIST_DIR}/../packaging/third_party.py" notices
          "${NOTICES}/${stem}.map" "${WORK}/linked" ${compilerOption} --identity "${IDENTITY}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status EQUAL 0)
  file(SHA256 "${WORK}/linked/${notices}" linked)
  file(SHA256 "${NOTICES}/${notices}" carried)
endif()
if(NOT status EQUAL 0 OR NOT linked STREQUAL carried)
  string(STRIP "${output}" output)
  message(FATAL_ERROR "The notices that ${name} carries do not cover what its link took in.\n${output}")
endif()
file(RENAME "${WORK}/linked/${notices}" "${WORK}/${notices}")

frostlane_signing_requested(signing)
if(signing)
  frostlane_sign_program("${PROGRAM}" "${WORK}/${name}" "${WORK}" "${TITLE}" "${URL}")
  set(release "${WORK}/${name}")
else()
  set(release "${PROGRAM}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH}
          "${python}" "${CMAKE_CURRENT_LIST_DIR}/../packaging/make_msi.py" "${release}" "${WORK}/unsigned/${package}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  string(STRIP "${output}" output)
  message(FATAL_ERROR "${output}")
endif()
if(signing)
  frostlane_sign_file("${WORK}/unsigned/${package}" "${WORK}/${package}" "${WORK}" "${TITLE}" "${URL}")
else()
  file(RENAME "${WORK}/unsigned/${package}" "${WORK}/${package}")
endif()

# The bill of materials describes the files as published, so it comes last.
set(signed)
if(signing)
  set(signed --signed)
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH}
          "${python}" "${CMAKE_CURRENT_LIST_DIR}/../packaging/third_party.py" bom "${WORK}/linked/components.json"
          "${release}" "${WORK}/${package}" "${WORK}/${bill}" ${signed} --identity "${IDENTITY}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  string(STRIP "${output}" output)
  message(FATAL_ERROR "${output}")
endif()

set(sums "")
foreach(file IN ITEMS "${release}" "${WORK}/${package}" "${WORK}/${notices}" "${WORK}/${bill}")
  get_filename_component(published "${file}" NAME)
  file(COPY_FILE "${file}" "${DIST}/${published}")
  file(SHA256 "${DIST}/${published}" digest)
  string(APPEND sums "${digest}  ${published}\n")
  file(SIZE "${DIST}/${published}" size)
  message(STATUS "${DIST}/${published} (${size} bytes)\n   SHA-256 ${digest}")
endforeach()
file(WRITE "${DIST}/SHA256SUMS" "${sums}")
if(signing)
  file(SIZE "${PROGRAM}" unsignedSize)
  message(STATUS "Both signed; ${name} is ${unsignedSize} bytes without its signature")
endif()
