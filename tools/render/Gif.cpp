#include "Gif.h"

#include <algorithm>
#include <cassert>
#include <fstream>

#include "Lzw.h"

namespace render {

namespace {

constexpr int kCodeSize = 8;  // a 256-entry colour table
constexpr std::uint8_t kExtension = 0x21, kGraphicControl = 0xF9, kApplication = 0xFF;
constexpr std::uint8_t kImageSeparator = 0x2C, kTrailer = 0x3B;
constexpr std::uint8_t kDisposeNone = 1 << 2;  // leave the frame for the next to draw over
constexpr std::uint8_t kHasTransparency = 1;

void PutLittleEndian16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data) {
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  out.push_back(0);
}

}  // namespace

GifWriter::GifWriter(int width, int height, const Palette& palette)
    : width_(width), height_(height), mapper_(palette), transparentIndex_(static_cast<std::uint8_t>(palette.size())) {
  assert(width > 0 && width <= 0xFFFF && height > 0 && height <= 0xFFFF);
  assert(!palette.empty() && palette.size() <= 255);
  const std::string signature = "GIF89a";
  bytes_.assign(signature.begin(), signature.end());
  PutLittleEndian16(bytes_, width);
  PutLittleEndian16(bytes_, height);
  bytes_.push_back(0xF7);  // a global table of 2^(7+1) colours, 8 bits per primary
  bytes_.push_back(0);     // background: entry 0
  bytes_.push_back(0);     // square pixels
  for (int i = 0; i < 256; ++i) {
    const gfx::Pixel colour = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
    bytes_.push_back(static_cast<std::uint8_t>(colour >> 16));
    bytes_.push_back(static_cast<std::uint8_t>(colour >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(colour));
  }
  // The looping extension: repeat forever.
  const std::string loop = "NETSCAPE2.0";
  bytes_.insert(bytes_.end(), {kExtension, kApplication, 11});
  bytes_.insert(bytes_.end(), loop.begin(), loop.end());
  bytes_.insert(bytes_.end(), {3, 1, 0, 0, 0});
}

void GifWriter::AddFrame(const gfx::Bitmap& frame, int delayCentiseconds) {
  assert(frame.Width() == width_ && frame.Height() == height_);
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const gfx::Pixel* row = frame.Scanline(y);
    std::uint8_t* out = indices.data() + static_cast<std::size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) out[x] = mapper_.IndexOf(row[x]);
  }
  if (frames_ == 0) {
    PutImage(indices, Area{0, 0, width_, height_}, false, delayCentiseconds);
  } else {
    Area area = ChangedArea(indices);
    // A still frame still needs an image to carry its delay: one unchanged pixel.
    if (area.right <= area.left) area = Area{0, 0, 1, 1};
    PutImage(indices, area, true, delayCentiseconds);
  }
  previous_.swap(indices);
  ++frames_;
}

GifWriter::Area GifWriter::ChangedArea(const std::vector<std::uint8_t>& indices) const {
  Area area{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * width_;
    int first = 0;
    while (first < width_ && indices[row + first] == previous_[row + first]) ++first;
    if (first == width_) continue;
    int last = width_ - 1;
    while (indices[row + last] == previous_[row + last]) --last;
    area.left = std::min(area.left, first);
    area.right = std::max(area.right, last + 1);
    area.top = std::min(area.top, y);
    area.bottom = y + 1;
  }
  return area;
}

void GifWriter::PutImage(const std::vector<std::uint8_t>& indices, const Area& area, bool transparentUnchanged,
                         int delayCentiseconds) {
  bytes_.insert(bytes_.end(), {kExtension, kGraphicControl, 4});
  bytes_.push_back(static_cast<std::uint8_t>(kDisposeNone | (transparentUnchanged ? kHasTransparency : 0)));
  PutLittleEndian16(bytes_, std::clamp(delayCentiseconds, 0, 0xFFFF));
  bytes_.push_back(transparentUnchanged ? transparentIndex_ : 0);
  bytes_.push_back(0);

  bytes_.push_back(kImageSeparator);
  PutLittleEndian16(bytes_, area.left);
  PutLittleEndian16(bytes_, area.top);
  PutLittleEndian16(bytes_, area.right - area.left);
  PutLittleEndian16(bytes_, area.bottom - area.top);
  bytes_.push_back(0);  // no local table, not interlaced

  std::vector<std::uint8_t> cropped;
  cropped.reserve(static_cast<std::size_t>(area.right - area.left) * (area.bottom - area.top));
  for (int y = area.top; y < area.bottom; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * width_;
    for (int x = area.left; x < area.right; ++x) {
      const std::uint8_t index = indices[row + x];
      cropped.push_back(transparentUnchanged && index == previous_[row + x] ? transparentIndex_ : index);
    }
  }
  bytes_.push_back(kCodeSize);
  PutSubBlocks(bytes_, LzwCompress(cropped, kCodeSize));
}

std::vector<std::uint8_t> GifWriter::Finish() const {
  std::vector<std::uint8_t> file = bytes_;
  file.push_back(kTrailer);
  return file;
}

bool GifWriter::WriteTo(const std::string& path) const {
  const std::vector<std::uint8_t> file = Finish();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace render
