// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "GifAnimation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cassert>
#include <new>

namespace render {

namespace {

struct FreeColourMap {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// GIF colour tables hold a power of two entries; the smallest that has room for
// the palette and the transparent index also gives the shortest codes.
int TableSize(std::size_t paletteSize) {
  int size = 2;
  while (static_cast<std::size_t>(size) < paletteSize + 1) size *= 2;
  return size;
}

}  // namespace

void GifAnimation::Close::operator()(GifFileType* file) const {
  // Also frees giflib's state when the animation ends unfinished.
  EGifCloseFile(file, nullptr);
}

int GifAnimation::Append(GifFileType* file, const std::uint8_t* data, int length) {
  auto& bytes = *static_cast<std::vector<std::uint8_t>*>(file->UserData);
  // No exception may cross giflib; a short write is its own way to fail.
  try {
    bytes.insert(bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return length;
}

GifAnimation::GifAnimation(int width, int height, const Palette& palette)
    : width_(width), height_(height), transparentIndex_(static_cast<int>(palette.size())) {
  assert(width > 0 && width <= 0xFFFF && height > 0 && height <= 0xFFFF);
  assert(!palette.empty() && palette.size() <= 255);
  int status = 0;
  file_.reset(EGifOpen(&bytes_, Append, &status));
  if (!file_) {
    error_ = std::string("giflib cannot start: ") + GifErrorString(status);
    return;
  }
  std::vector<GifColorType> colours(static_cast<std::size_t>(TableSize(palette.size())), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i) {
    colours[i] = GifColorType{static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
                              static_cast<GifByteType>(palette[i])};
  }
  const std::unique_ptr<ColorMapObject, FreeColourMap> map(
      GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));
  if (!map) {
    error_ = "giflib cannot make the colour table";
    return;
  }
  // Transparency and delays need GIF89a; giflib would write GIF87a otherwise.
  EGifSetGifVersion(file_.get(), true);
  if (!Check(EGifPutScreenDesc(file_.get(), width, height, 8, 0, map.get()), "the screen")) return;
  // The looping extension: repeat forever.
  const std::uint8_t loopForever[] = {1, 0, 0};
  Check(EGifPutExtensionLeader(file_.get(), APPLICATION_EXT_FUNC_CODE), "the loop") &&
      Check(EGifPutExtensionBlock(file_.get(), 11, "NETSCAPE2.0"), "the loop") &&
      Check(EGifPutExtensionBlock(file_.get(), sizeof loopForever, loopForever), "the loop") &&
      Check(EGifPutExtensionTrailer(file_.get()), "the loop");
}

GifAnimation::~GifAnimation() = default;

bool GifAnimation::Check(int giflibResult, const char* step) {
  if (giflibResult == GIF_OK) return true;
  error_ = std::string("giflib cannot write ") + step + ": " + GifErrorString(file_->Error);
  return false;
}

bool GifAnimation::AddFrame(const std::vector<std::uint8_t>& indices, int delayCentiseconds) {
  assert(indices.size() == static_cast<std::size_t>(width_) * height_);
  if (!error_.empty() || !file_) return false;
  bool ok = true;
  if (frames_ == 0) {
    ok = PutImage(indices, Area{0, 0, width_, height_}, false, delayCentiseconds);
  } else {
    Area area = ChangedArea(indices);
    // A still frame still needs an image to carry its delay: one unchanged pixel.
    if (area.right <= area.left) area = Area{0, 0, 1, 1};
    ok = PutImage(indices, area, true, delayCentiseconds);
  }
  previous_ = indices;
  ++frames_;
  return ok;
}

GifAnimation::Area GifAnimation::ChangedArea(const std::vector<std::uint8_t>& indices) const {
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

bool GifAnimation::PutImage(const std::vector<std::uint8_t>& indices, const Area& area, bool transparentUnchanged,
                            int delayCentiseconds) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;  // leave the frame for the next to draw over
  control.UserInputFlag = false;
  control.DelayTime = std::clamp(delayCentiseconds, 0, 0xFFFF);
  control.TransparentColor = transparentUnchanged ? transparentIndex_ : NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const auto length = static_cast<int>(EGifGCBToExtension(&control, extension));
  if (!Check(EGifPutExtension(file_.get(), GRAPHICS_EXT_FUNC_CODE, length, extension), "a frame's timing")) return false;

  const int width = area.right - area.left;
  if (!Check(EGifPutImageDesc(file_.get(), area.left, area.top, width, area.bottom - area.top, false, nullptr),
             "a frame")) {
    return false;
  }
  // giflib masks the line it is given in place, so it gets a copy.
  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (int y = area.top; y < area.bottom; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * width_;
    for (int x = area.left; x < area.right; ++x) {
      const std::uint8_t index = indices[row + x];
      const bool unchanged = transparentUnchanged && index == previous_[row + x];
      line[static_cast<std::size_t>(x - area.left)] = static_cast<GifPixelType>(unchanged ? transparentIndex_ : index);
    }
    if (!Check(EGifPutLine(file_.get(), line.data(), width), "a frame's pixels")) return false;
  }
  return true;
}

std::vector<std::uint8_t> GifAnimation::Finish() {
  if (!error_.empty() || !file_) return {};
  // Closing writes the trailer; the file is complete only if that worked.
  int status = 0;
  const int closed = EGifCloseFile(file_.release(), &status);
  if (closed != GIF_OK) {
    error_ = std::string("giflib cannot end the file: ") + GifErrorString(status);
    return {};
  }
  std::vector<std::uint8_t> file;
  file.swap(bytes_);
  return file;
}

}  // namespace render
