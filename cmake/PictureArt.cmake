# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# The picture set's art, embedded as byte arrays into the library
# frostlane_pictures: the 96-dpi BMPs of assets/pictures and the PNGs of every
# further density the art pipeline wrote, one folder per density
# (assets/pictures/<dpi>dpi). The folders present are the densities carried; a
# generated table lists them, smallest first, for the program to choose from.
# The pictures themselves are those of assets/pictures.txt, in its order; their
# sizes there go into a generated header for the tests (PictureList.h).
set(PICTURE_ART_DIR ${CMAKE_SOURCE_DIR}/assets/pictures)
set(PICTURE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated/pictures)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/pictures.txt)
file(STRINGS ${CMAKE_SOURCE_DIR}/assets/pictures.txt pictureLines REGEX "^[a-z]")
set(PICTURE_STEMS "")
set(pictureSizes "")
foreach(line IN LISTS pictureLines)
  list(LENGTH PICTURE_STEMS index)
  string(REGEX MATCH "^([a-z-]+) ([0-9]+) ([0-9]+)$" matched "${line}")
  if(NOT matched)
    message(FATAL_ERROR "assets/pictures.txt: '${line}' is not 'name width height'")
  endif()
  if(index LESS 10)
    set(index 0${index})
  endif()
  list(APPEND PICTURE_STEMS ${index}-${CMAKE_MATCH_1})
  string(APPEND pictureSizes "    {${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}},\n")
endforeach()
file(CONFIGURE OUTPUT ${PICTURE_GENERATED_DIR}/PictureList.h CONTENT "// Generated at configure time from assets/pictures.txt; do not edit.
#pragma once

#include <utility>

// Each picture's width and height in pixels at 96 dots per inch, by index.
inline constexpr std::pair<int, int> kPictureSizesAt96[] = {
${pictureSizes}};
")

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
