// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Compositor.h"

#include <algorithm>
#include <cstring>

namespace runtime {

namespace {

void FillSpan(gfx::Pixel* row, int left, int right, gfx::Pixel pixel) {
  if (right > left) std::fill(row + left, row + right, pixel);
}

// Copies the part of `placed`'s row for scanline y that lies in [left, right).
void CopySpan(gfx::Pixel* row, int y, const PlacedPicture& placed, int left, int right) {
  const int from = std::max(left, placed.left);
  const int to = std::min(right, placed.left + placed.picture->Width());
  if (to <= from) return;
  std::memcpy(row + from, placed.picture->Scanline(y - placed.top) + (from - placed.left),
              static_cast<std::size_t>(to - from) * sizeof(gfx::Pixel));
}

bool OnScanline(const PlacedPicture& placed, int y) {
  return placed.picture != nullptr && y >= placed.top && y < placed.top + placed.picture->Height();
}

// Writes the layer's part of scanline y, clipped to [0, width).
void PaintLayerRow(gfx::Pixel* row, int width, int y, const Layer& layer) {
  const int left = std::max(0, layer.rect.left);
  const int right = std::min(width, layer.rect.right);
  if (right <= left) return;
  if (!layer.picturesInOrder) {
    FillSpan(row, left, right, layer.back);
    for (const PlacedPicture& placed : layer.pictures) {
      if (OnScanline(placed, y)) CopySpan(row, y, placed, left, right);
    }
    return;
  }
  int cursor = left;
  for (const PlacedPicture& placed : layer.pictures) {
    if (placed.left >= right) break;
    if (!OnScanline(placed, y) || placed.left + placed.picture->Width() <= cursor) continue;
    const int start = std::max(cursor, placed.left);
    FillSpan(row, cursor, start, layer.back);
    CopySpan(row, y, placed, start, right);
    cursor = std::min(right, placed.left + placed.picture->Width());
  }
  FillSpan(row, cursor, right, layer.back);
}

}  // namespace

bool PicturesInOrder(const std::vector<PlacedPicture>& pictures) {
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    const PlacedPicture& before = pictures[i - 1];
    const int beforeEnd = before.left + (before.picture != nullptr ? before.picture->Width() : 0);
    if (pictures[i].left < beforeEnd) return false;
  }
  return true;
}

void Compositor::ComposeScanline(gfx::Bitmap& frame, int y, gfx::Pixel back, const std::vector<Layer>& layers) {
  gfx::Pixel* row = frame.Scanline(y);
  const int width = frame.Width();
  covering_.clear();
  for (const Layer& layer : layers) {
    const PixelRect& r = layer.rect;
    if (y >= r.top && y < r.bottom && r.right > 0 && r.left < width && r.right > r.left) covering_.push_back(&layer);
  }
  // A scanline crosses a handful of boxes: an insertion sort keeps them in
  // z-order among equals and, unlike std::stable_sort, never allocates.
  for (std::size_t i = 1; i < covering_.size(); ++i) {
    const Layer* layer = covering_[i];
    std::size_t j = i;
    for (; j > 0 && covering_[j - 1]->rect.left > layer->rect.left; --j) covering_[j] = covering_[j - 1];
    covering_[j] = layer;
  }
  bool disjoint = true;
  for (std::size_t i = 1; i < covering_.size(); ++i) {
    if (covering_[i]->rect.left < covering_[i - 1]->rect.right) disjoint = false;
  }

  if (!disjoint) {
    // Overlapping boxes: paint bottom to top.
    FillSpan(row, 0, width, back);
    for (const Layer& layer : layers) {
      if (y >= layer.rect.top && y < layer.rect.bottom) PaintLayerRow(row, width, y, layer);
    }
    return;
  }
  int cursor = 0;
  for (const Layer* layer : covering_) {
    FillSpan(row, cursor, std::max(cursor, std::min(width, layer->rect.left)), back);
    PaintLayerRow(row, width, y, *layer);
    cursor = std::max(cursor, std::min(width, layer->rect.right));
  }
  FillSpan(row, cursor, width, back);
}

}  // namespace runtime
