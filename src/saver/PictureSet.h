// The twelve pictures of the mosaic, decoded from the bytes the program carries.
#pragma once

#include "../startup/runtime/Controls.h"
#include "PictureFiles.h"

// The picture at `index` (0 to kPictureCount - 1); empty if its bytes do not decode.
runtime::Picture LoadSetPicture(int index);
