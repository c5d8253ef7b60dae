// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Resample.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

namespace gfx {

namespace {

constexpr int kWeightBits = 14;
constexpr std::int64_t kOne = std::int64_t{1} << kWeightBits;

// The source pixels that make one new pixel along an axis, and their weights.
struct Taps {
  int first = 0;
  std::vector<std::int64_t> weights;
};

// Rounds the exact weights numerator / denominator to fractions of kOne and puts
// what rounding lost on the heaviest tap, so that they add up to exactly kOne.
void AddNormalised(Taps& taps, const std::vector<std::int64_t>& numerators, std::int64_t denominator) {
  std::int64_t total = 0;
  for (std::int64_t numerator : numerators) {
    taps.weights.push_back((numerator * kOne + denominator / 2) / denominator);
    total += taps.weights.back();
  }
  *std::max_element(taps.weights.begin(), taps.weights.end()) += kOne - total;
}

// Shrinking (or keeping) an axis of `from` pixels to `to`: new pixel i covers
// [i * from / to, (i + 1) * from / to) of the source. Counted in units of
// 1 / to of a source pixel, so every overlap is a whole number.
Taps AreaTaps(int i, int from, int to) {
  const std::int64_t start = std::int64_t{i} * from;
  const std::int64_t end = start + from;
  Taps taps;
  taps.first = static_cast<int>(start / to);
  const int last = static_cast<int>((end - 1) / to);
  std::vector<std::int64_t> overlaps;
  for (int j = taps.first; j <= last; ++j) {
    const std::int64_t overlap = std::min(end, std::int64_t{j + 1} * to) - std::max(start, std::int64_t{j} * to);
    overlaps.push_back(overlap);
  }
  AddNormalised(taps, overlaps, from);
  return taps;
}

// Growing an axis of `from` pixels to `to`: the centre of new pixel i lies at
// (i + 1/2) * from / to - 1/2 in source pixel coordinates, counted in units of
// 1 / (2 * to); it is blended from the two source pixels around it, the edge
// pixels standing in for those beyond the edges.
Taps LinearTaps(int i, int from, int to) {
  const std::int64_t unit = 2 * std::int64_t{to};
  const std::int64_t centre = (2 * std::int64_t{i} + 1) * from - to;  // may be negative near the left edge
  const std::int64_t left = centre >= 0 ? centre / unit : -((-centre + unit - 1) / unit);
  const std::int64_t fraction = centre - left * unit;
  Taps taps;
  if (left < 0) {
    taps.first = 0;
    taps.weights = {kOne};
  } else if (left >= from - 1) {
    taps.first = from - 1;
    taps.weights = {kOne};
  } else {
    taps.first = static_cast<int>(left);
    AddNormalised(taps, {unit - fraction, fraction}, unit);
  }
  return taps;
}

std::vector<Taps> AxisTaps(int from, int to) {
  std::vector<Taps> axis;
  axis.reserve(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) axis.push_back(to <= from ? AreaTaps(i, from, to) : LinearTaps(i, from, to));
  return axis;
}

constexpr int kShifts[3] = {16, 8, 0};  // red, green, blue in 0x00RRGGBB

}  // namespace

Bitmap Resample(const Bitmap& source, int width, int height) {
  assert(!source.Empty() && width > 0 && height > 0);
  const std::vector<Taps> columns = AxisTaps(source.Width(), width);
  const std::vector<Taps> rows = AxisTaps(source.Height(), height);

  // Across first: every source row at the new width, each channel kept as a
  // multiple of kOne so no precision is lost between the two passes.
  std::vector<std::int64_t> across(static_cast<std::size_t>(source.Height()) * width * 3);
  for (int y = 0; y < source.Height(); ++y) {
    const Pixel* line = source.Scanline(y);
    std::int64_t* out = across.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, out += 3) {
      const Taps& taps = columns[static_cast<std::size_t>(x)];
      for (std::size_t k = 0; k < taps.weights.size(); ++k) {
        const Pixel pixel = line[taps.first + static_cast<int>(k)];
        for (int c = 0; c < 3; ++c) out[c] += taps.weights[k] * ((pixel >> kShifts[c]) & 0xFF);
      }
    }
  }

  Bitmap result(width, height);
  std::vector<std::int64_t> sums(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    const Taps& taps = rows[static_cast<std::size_t>(y)];
    std::fill(sums.begin(), sums.end(), 0);
    for (std::size_t k = 0; k < taps.weights.size(); ++k) {
      const std::int64_t* line = across.data() + static_cast<std::size_t>(taps.first + static_cast<int>(k)) * width * 3;
      for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += taps.weights[k] * line[i];
    }
    Pixel* out = result.Scanline(y);
    for (int x = 0; x < width; ++x) {
      Pixel pixel = 0;
      for (int c = 0; c < 3; ++c) {
        const std::int64_t value = (sums[static_cast<std::size_t>(x) * 3 + c] + kOne * kOne / 2) / (kOne * kOne);
        pixel |= static_cast<Pixel>(std::clamp<std::int64_t>(value, 0, 255)) << kShifts[c];
      }
      out[x] = pixel;
    }
  }
  return result;
}

}  // namespace gfx
