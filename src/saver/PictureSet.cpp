#include "PictureSet.h"

#include <cassert>
#include <memory>

#include "../startup/runtime/gfx/Bmp.h"

runtime::Picture LoadSetPicture(int index, int /*dotsPerInch*/) {
  assert(index >= 0 && index < kPictureCount);
  const EmbeddedFile& file = kPictureFiles[index];
  auto bitmap = gfx::DecodeBmp(file.bytes, file.size);
  if (!bitmap) return nullptr;
  return std::make_shared<const gfx::Bitmap>(std::move(*bitmap));
}
