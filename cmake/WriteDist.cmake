# Puts the release into its folder: the program and SHA256SUMS, one line per file
# in the form `sha256sum -c` reads ("<hex digest>  <name>").
# Run as: cmake -DPROGRAM=<built Frostlane1.exe> -DDIST=<folder> -P WriteDist.cmake
if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "No program to release at '${PROGRAM}'")
endif()
get_filename_component(name "${PROGRAM}" NAME)
file(MAKE_DIRECTORY "${DIST}")
# A stale file from an earlier release must not survive beside the new checksum.
file(REMOVE "${DIST}/${name}" "${DIST}/SHA256SUMS")
file(COPY_FILE "${PROGRAM}" "${DIST}/${name}")
file(SHA256 "${DIST}/${name}" digest)
file(WRITE "${DIST}/SHA256SUMS" "${digest}  ${name}\n")
message(STATUS "${DIST}/${name}\n   SHA-256 ${digest}")
