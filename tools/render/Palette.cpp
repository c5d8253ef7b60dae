#include "Palette.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <utility>

namespace render {

namespace {

struct WeightedColour {
  gfx::Pixel colour;
  std::uint64_t count;
};

int Channel(gfx::Pixel pixel, int channel) { return static_cast<int>((pixel >> (16 - 8 * channel)) & 0xFFu); }

// A run [begin, end) of the colour list: one box of colour space.
struct Box {
  std::size_t begin;
  std::size_t end;
  int widestChannel = 0;  // the channel of the largest spread
  double error = 0;       // squared distance of the pixels to the box's mean
};

// The squared error of `count` values of total `sum` and sum of squares `squares`
// around their mean.
double SquaredError(double count, double sum, double squares) { return count > 0 ? squares - sum * sum / count : 0; }

void Measure(Box& box, const std::vector<WeightedColour>& colours) {
  std::array<double, 3> sum{0, 0, 0}, squares{0, 0, 0};
  double count = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) {
    const auto weight = static_cast<double>(colours[i].count);
    count += weight;
    for (int c = 0; c < 3; ++c) {
      const double value = Channel(colours[i].colour, c);
      sum[c] += weight * value;
      squares[c] += weight * value * value;
    }
  }
  box.error = 0;
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    const double channelError = SquaredError(count, sum[c], squares[c]);
    box.error += channelError;
    if (channelError > widest) {
      widest = channelError;
      box.widestChannel = c;
    }
  }
}

gfx::Pixel MeanColour(const Box& box, const std::vector<WeightedColour>& colours) {
  std::array<std::uint64_t, 3> sum{0, 0, 0};
  std::uint64_t population = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) {
    population += colours[i].count;
    for (int c = 0; c < 3; ++c) sum[c] += static_cast<std::uint64_t>(Channel(colours[i].colour, c)) * colours[i].count;
  }
  gfx::Pixel mean = 0;
  for (int c = 0; c < 3; ++c) {
    const std::uint64_t channel = (sum[c] + population / 2) / population;
    mean |= static_cast<gfx::Pixel>(channel) << (16 - 8 * c);
  }
  return mean;
}

// Splits a box along its widest channel where the two halves' squared errors on
// that channel add up least, so a few pixels of a distant colour are not averaged
// into a crowd (a plain median cut would). Both halves keep at least one colour;
// false when the box holds a single colour.
bool Split(const Box& box, std::vector<WeightedColour>& colours, Box& first, Box& second) {
  if (box.end - box.begin < 2) return false;
  const int channel = box.widestChannel;
  std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin), colours.begin() + static_cast<std::ptrdiff_t>(box.end),
            [channel](const WeightedColour& a, const WeightedColour& b) {
              return Channel(a.colour, channel) < Channel(b.colour, channel);
            });
  double count = 0, sum = 0, squares = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) {
    const auto weight = static_cast<double>(colours[i].count);
    const double value = Channel(colours[i].colour, channel);
    count += weight;
    sum += weight * value;
    squares += weight * value * value;
  }
  double leftCount = 0, leftSum = 0, leftSquares = 0;
  double bestError = -1;
  std::size_t cut = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    const auto weight = static_cast<double>(colours[i].count);
    const double value = Channel(colours[i].colour, channel);
    leftCount += weight;
    leftSum += weight * value;
    leftSquares += weight * value * value;
    // Only between different values: equal values belong in one box.
    if (Channel(colours[i + 1].colour, channel) == static_cast<int>(value)) continue;
    const double error = SquaredError(leftCount, leftSum, leftSquares) +
                         SquaredError(count - leftCount, sum - leftSum, squares - leftSquares);
    if (bestError < 0 || error < bestError) {
      bestError = error;
      cut = i + 1;
    }
  }
  first = Box{box.begin, cut};
  second = Box{cut, box.end};
  Measure(first, colours);
  Measure(second, colours);
  return true;
}

}  // namespace

Palette BuildPalette(const std::vector<const gfx::Bitmap*>& samples, int maxColours,
                         const std::vector<gfx::Pixel>& exact) {
  assert(maxColours >= 1 && maxColours <= 256);
  std::unordered_map<gfx::Pixel, std::uint64_t> histogram;
  for (const gfx::Bitmap* sample : samples) {
    for (int y = 0; y < sample->Height(); ++y) {
      const gfx::Pixel* row = sample->Scanline(y);
      for (int x = 0; x < sample->Width(); ++x) ++histogram[row[x] & 0xFFFFFFu];
    }
  }
  Palette palette;
  for (gfx::Pixel colour : exact) {
    const gfx::Pixel clean = colour & 0xFFFFFFu;
    if (std::find(palette.begin(), palette.end(), clean) == palette.end()) palette.push_back(clean);
    histogram.erase(clean);
  }
  const std::size_t room = static_cast<std::size_t>(maxColours) > palette.size() ? maxColours - palette.size() : 0;
  if (room == 0 || histogram.empty()) return palette;

  std::vector<WeightedColour> colours;
  colours.reserve(histogram.size());
  for (const auto& entry : histogram) colours.push_back(WeightedColour{entry.first, entry.second});
  // Hash order differs between libraries; sort so the palette is reproducible.
  std::sort(colours.begin(), colours.end(), [](const WeightedColour& a, const WeightedColour& b) { return a.colour < b.colour; });

  std::vector<Box> boxes{Box{0, colours.size()}};
  Measure(boxes.front(), colours);
  while (boxes.size() < room) {
    // Split the box whose pixels are furthest from its colour; a box of one
    // colour has no error and cannot be split.
    auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      const bool aSplittable = a.end - a.begin > 1, bSplittable = b.end - b.begin > 1;
      if (aSplittable != bSplittable) return !aSplittable;
      return a.error < b.error;
    });
    Box first{0, 0}, second{0, 0};
    if (!Split(*worst, colours, first, second)) break;
    *worst = first;
    boxes.push_back(second);
  }
  for (const Box& box : boxes) {
    const gfx::Pixel mean = MeanColour(box, colours);
    if (std::find(palette.begin(), palette.end(), mean) == palette.end()) palette.push_back(mean);
  }
  return palette;
}

ColourMapper::ColourMapper(Palette palette) : palette_(std::move(palette)) { assert(!palette_.empty() && palette_.size() <= 256); }

std::uint8_t ColourMapper::IndexOf(gfx::Pixel pixel) {
  pixel &= 0xFFFFFFu;
  const auto known = known_.find(pixel);
  if (known != known_.end()) return known->second;
  std::size_t best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    int distance = 0;
    for (int c = 0; c < 3; ++c) {
      const int d = Channel(pixel, c) - Channel(palette_[i], c);
      distance += d * d;
    }
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  const auto index = static_cast<std::uint8_t>(best);
  known_.emplace(pixel, index);
  return index;
}

}  // namespace render
