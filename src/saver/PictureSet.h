// The twelve pictures of the mosaic, decoded from the bytes the program carries.
#pragma once

#include "../startup/runtime/Controls.h"
#include "PictureFiles.h"

// The picture at `index` (0 to kPictureCount - 1) drawn for a screen of
// `dotsPerInch`; empty if its bytes do not decode. For now every density gets the
// 96-dpi art.
runtime::Picture LoadSetPicture(int index, int dotsPerInch);
