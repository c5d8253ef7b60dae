// The LZW compression of GIF image data: variable-width codes from one bit more
// than `minimumCodeSize` up to 12 bits, least significant bit first, a clear code
// first and whenever the table is full, and the end code last. The result is the
// raw code stream; the GIF writer cuts it into sub-blocks.
#pragma once

#include <cstdint>
#include <vector>

namespace render {

// `indices` must all be below 1 << minimumCodeSize (2 to 8).
std::vector<std::uint8_t> LzwCompress(const std::vector<std::uint8_t>& indices, int minimumCodeSize);

}  // namespace render
