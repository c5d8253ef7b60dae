# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# The picture set's art, embedded as byte arrays into the library
# frostlane_pictures: the 96-dpi BMPs of assets/pictures and the PNGs of every
# further density the art pipeline wrote, one folder per density
# (assets/pictures/<dpi>dpi). The folders present are the densities carried; a
# generated table lists them, smallest first, for the program to choose from.
set(PICTURE_STEMS
  00-stocking 01-gingerbread-boy 02-locomotive 03-snowflake 04-rocking-horse 05-bell
  06-christmas-tree 07-gingerbread-man 08-angel 09-candy-cane 10-star 11-gingerbread-girl)
set(PICTURE_ART_DIR ${CMAKE_SOURCE_DIR}/assets/pictures)
set(PICTURE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated/pictures)

# Writes ${output} holding the files as the array ${symbol}.
function(frostlane_embed_pictures output symbol files)
  string(REPLACE ";" "|" argument "${files}")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DHEADER=saver/PictureFiles.h -DSYMBOL=${symbol}
            -DINPUTS=${argument} -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding the pictures as ${symbol}"
    VERBATIM)
endfunction()

set(bitmaps ${PICTURE_STEMS})
list(TRANSFORM bitmaps PREPEND ${PICTURE_ART_DIR}/)
list(TRANSFORM bitmaps APPEND .bmp)
set(PICTURE_ART_SOURCES ${PICTURE_GENERATED_DIR}/PictureFiles.cpp)
frostlane_embed_pictures(${PICTURE_GENERATED_DIR}/PictureFiles.cpp kPictureFiles "${bitmaps}")

file(GLOB densityFolders LIST_DIRECTORIES true CONFIGURE_DEPENDS ${PICTURE_ART_DIR}/*dpi)
set(densities "")
foreach(folder IN LISTS densityFolders)
  get_filename_component(name ${folder} NAME)
  string(REGEX REPLACE "dpi$" "" dotsPerInch ${name})
  list(APPEND densities ${dotsPerInch})
endforeach()
list(SORT densities COMPARE NATURAL)

set(declarations "")
set(rows "    {96, ArtFormat::Bmp, kPictureFiles},\n")
foreach(dotsPerInch IN LISTS densities)
  set(pngs ${PICTURE_STEMS})
  list(TRANSFORM pngs PREPEND ${PICTURE_ART_DIR}/${dotsPerInch}dpi/)
  list(TRANSFORM pngs APPEND .png)
  set(source ${PICTURE_GENERATED_DIR}/PictureArt${dotsPerInch}.cpp)
  frostlane_embed_pictures(${source} kPictureArt${dotsPerInch} "${pngs}")
  list(APPEND PICTURE_ART_SOURCES ${source})
  string(APPEND declarations "extern const EmbeddedFile kPictureArt${dotsPerInch}[kPictureCount];\n")
  string(APPEND rows "    {${dotsPerInch}, ArtFormat::Png, kPictureArt${dotsPerInch}},\n")
endforeach()

set(table ${PICTURE_GENERATED_DIR}/CarriedDensities.cpp)
file(CONFIGURE OUTPUT ${table} CONTENT "// Generated at configure time from the folders of assets/pictures; do not edit.
#include \"saver/PictureFiles.h\"

${declarations}
const CarriedDensity kCarriedDensities[] = {
${rows}};
const int kCarriedDensityCount = static_cast<int>(sizeof kCarriedDensities / sizeof kCarriedDensities[0]);
")
list(APPEND PICTURE_ART_SOURCES ${table})

add_library(frostlane_pictures STATIC ${PICTURE_ART_SOURCES})
target_include_directories(frostlane_pictures PUBLIC ${CMAKE_SOURCE_DIR}/src)
