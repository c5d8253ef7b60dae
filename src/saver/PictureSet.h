// The twelve pictures of the mosaic, decoded from the art the program carries.
#pragma once

#include "../startup/runtime/Controls.h"
#include "PictureFiles.h"

// The picture at `index` (0 to kPictureCount - 1) drawn for a screen of
// `dotsPerInch`: round(w * s) x round(h * s) pixels, w x h being its size at 96
// dots per inch, s = dotsPerInch / 96, rounded halves to even. At 96 it is the
// BMP as stored. A density with art of its own gets that art; any other is made
// from the largest art, shrunk or smoothly enlarged. Only the art used is
// decoded. Densities below 24 or above 960 are taken as 24 or 960. Empty if the
// art does not decode.
runtime::Picture LoadSetPicture(int index, int dotsPerInch);

// length * dotsPerInch / 96, rounded halves to even: a picture's side in pixels.
int ScaledPictureLength(int length, int dotsPerInch);
