# Puts the release into its folder: the program, signed when the environment
# holds a code-signing certificate (see SignRelease.cmake), and SHA256SUMS for the
# file as published, one line per file in the form `sha256sum -c` reads
# ("<hex digest>  <name>").
# Run as: cmake -DPROGRAM=<built Frostlane1.exe> -DDIST=<folder> -DWORK=<scratch folder>
#               -DTITLE=<program name> -DURL=<maker's web site> -P WriteDist.cmake
include("${CMAKE_CURRENT_LIST_DIR}/SignRelease.cmake")

if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program to release at '${PROGRAM}'")
endif()
get_filename_component(name "${PROGRAM}" NAME)
file(MAKE_DIRECTORY "${DIST}")
# A stale file from an earlier release must not survive beside the new checksum,
# nor stand in dist/ when this release fails.
file(REMOVE "${DIST}/${name}" "${DIST}/SHA256SUMS")

frostlane_signing_requested(signing)
if(signing)
  frostlane_sign_program("${PROGRAM}" "${WORK}/${name}" "${WORK}" "${TITLE}" "${URL}")
  set(release "${WORK}/${name}")
else()
  set(release "${PROGRAM}")
endif()

file(COPY_FILE "${release}" "${DIST}/${name}")
file(SHA256 "${DIST}/${name}" digest)
file(WRITE "${DIST}/SHA256SUMS" "${digest}  ${name}\n")
if(signing)
  file(SIZE "${PROGRAM}" unsignedSize)
  file(SIZE "${DIST}/${name}" signedSize)
  message(STATUS "${DIST}/${name}, signed (${signedSize} bytes; ${unsignedSize} without the signature)\n"
                 "   SHA-256 ${digest}")
else()
  message(STATUS "${DIST}/${name}\n   SHA-256 ${digest}")
endif()
