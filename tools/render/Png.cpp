#include "Png.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <fstream>

namespace render {

namespace {

constexpr int kBytesPerPixel = 3;

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 24));
  out.push_back(static_cast<std::uint8_t>(value >> 16));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  // The checksum covers the type and the data, not the length.
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

std::uint8_t Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left);
  const int toUp = std::abs(estimate - up);
  const int toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
  if (toUp <= toUpLeft) return static_cast<std::uint8_t>(up);
  return static_cast<std::uint8_t>(upLeft);
}

// One row filtered with `filter` (0 none, 1 sub, 2 up, 3 average, 4 Paeth), as the
// decoder will undo it; `up` is the previous raw row (zeros above the first).
void FilterRow(int filter, const std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& up,
               std::vector<std::uint8_t>& out) {
  const std::size_t size = row.size();
  out.resize(size);
  for (std::size_t i = 0; i < size; ++i) {
    const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
    const int upLeft = i >= kBytesPerPixel ? up[i - kBytesPerPixel] : 0;
    int predicted = 0;
    switch (filter) {
      case 1: predicted = left; break;
      case 2: predicted = up[i]; break;
      case 3: predicted = (left + up[i]) / 2; break;
      case 4: predicted = Paeth(left, up[i], upLeft); break;
      default: break;
    }
    out[i] = static_cast<std::uint8_t>(row[i] - predicted);
  }
}

// The usual heuristic: bytes as signed values, smallest total magnitude wins.
std::uint64_t Cost(const std::vector<std::uint8_t>& filtered) {
  std::uint64_t sum = 0;
  for (std::uint8_t byte : filtered) sum += static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(byte)));
  return sum;
}

std::vector<std::uint8_t> FilteredImage(const gfx::Bitmap& bitmap) {
  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * kBytesPerPixel;
  std::vector<std::uint8_t> image;
  image.reserve((rowBytes + 1) * static_cast<std::size_t>(bitmap.Height()));
  std::vector<std::uint8_t> row(rowBytes), up(rowBytes, 0), candidate, best;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const gfx::Pixel* pixels = bitmap.Scanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      row[x * kBytesPerPixel + 0] = static_cast<std::uint8_t>(pixels[x] >> 16);
      row[x * kBytesPerPixel + 1] = static_cast<std::uint8_t>(pixels[x] >> 8);
      row[x * kBytesPerPixel + 2] = static_cast<std::uint8_t>(pixels[x]);
    }
    int bestFilter = 0;
    std::uint64_t bestCost = UINT64_MAX;
    for (int filter = 0; filter <= 4; ++filter) {
      FilterRow(filter, row, up, candidate);
      const std::uint64_t cost = Cost(candidate);
      if (cost < bestCost) {
        bestCost = cost;
        bestFilter = filter;
        best.swap(candidate);
      }
    }
    image.push_back(static_cast<std::uint8_t>(bestFilter));
    image.insert(image.end(), best.begin(), best.end());
    up.swap(row);
  }
  return image;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  const std::vector<std::uint8_t> raw = FilteredImage(bitmap);
  uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> compressed(compressedSize);
  if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK) return {};
  compressed.resize(compressedSize);

  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian32(header, static_cast<std::uint32_t>(bitmap.Width()));
  PutBigEndian32(header, static_cast<std::uint32_t>(bitmap.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, adaptive filters, no interlace
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", compressed);
  PutChunk(file, "IEND", {});
  return file;
}

bool WritePng(const std::string& path, const gfx::Bitmap& bitmap) {
  const std::vector<std::uint8_t> bytes = EncodePng(bitmap);
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace render
