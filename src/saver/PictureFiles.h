// The picture set's BMP files as they travel inside the program: one byte array
// per picture, in picture-set order, generated at build time from assets/pictures.
#pragma once

#include <cstddef>

struct EmbeddedFile {
  const unsigned char* bytes;
  std::size_t size;
};

constexpr int kPictureCount = 12;

extern const EmbeddedFile kPictureFiles[kPictureCount];
