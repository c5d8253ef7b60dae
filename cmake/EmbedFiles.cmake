# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Writes a C++ source that holds files as byte arrays, in the order given.
# Run as: cmake -DOUTPUT=<file.cpp> -DHEADER=<header to include> -DSYMBOL=<array name>
#               -DINPUTS=<file|file|...> -P EmbedFiles.cmake
set(body "// Generated at build time from the committed files; do not edit.\n#include \"${HEADER}\"\n\nnamespace {\n")
string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(entries "")
set(index 0)
foreach(input IN LISTS INPUTS)
  file(READ "${input}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  get_filename_component(name "${input}" NAME)
  string(APPEND body "// ${name}\nconst unsigned char file${index}[] = {\n${bytes}};\n")
  string(APPEND entries "    {file${index}, sizeof file${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND body "}  // namespace\n\nextern const EmbeddedFile ${SYMBOL}[${index}];\nconst EmbeddedFile ${SYMBOL}[${index}] = {\n${entries}};\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
