// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The mosaic of the saver window: its layout (Init, once at load) and its
// animation (the Timer2 tick). Layout values are 32-bit: in 16 bits the next row's
// top and the tiling position overflow on screens wider or taller than about 2184
// pixels (32767 twips), which today's screens are.
#include <cstdint>

#include "../startup/runtime/Numbers.h"
#include "../startup/runtime/Random.h"
#include "frmAdvent1.h"

namespace {

constexpr float kHalfGap = 120;  // twips on either side of a picture in its strip
constexpr float kRowGap = 120;   // twips between rows
constexpr float kStep = 10;      // twips per animation tick

// Keeps a strip of an endless band within [-Width, Width]: a strip that has left
// the band on the far side re-enters directly behind its partner, two widths on.
void KeepInBand(runtime::PictureBox& strip, bool leftward) {
  if (!leftward && strip.Left() > strip.Width()) strip.SetLeft(strip.Left() - 2 * strip.Width());
  if (leftward && strip.Left() < -strip.Width()) strip.SetLeft(strip.Left() + 2 * strip.Width());
}

}  // namespace

runtime::PictureBox* frmAdvent1::LoadStrip(runtime::ControlArray<runtime::PictureBox>& strips, int row, int pick,
                                           float top, const runtime::PictureBox* leftNeighbour) {
  runtime::PictureBox* strip = strips.Load(row);
  const runtime::ImageControl* image = Image1.Item(pick);
  if (strip == nullptr || image == nullptr) return strip;

  strip->SetHeight(image->Height());
  // A whole number of periods (picture + 240-twip gap), always wider than the
  // window, so two strips side by side repeat the pattern without a seam.
  const float period = image->Width() + kHalfGap + kHalfGap;
  if (const auto periods = runtime::Rounded(ScaleWidth() / period)) {
    strip->SetWidth(static_cast<float>(*periods + 1) * period);
  }
  strip->SetLeft(leftNeighbour != nullptr ? leftNeighbour->Width() : 0.0f);
  strip->SetTop(top);

  // The copies stand at 1, 1 + p, 1 + 2p, ... twips while within the strip.
  const auto step = runtime::Rounded(static_cast<double>(image->Width()) + kHalfGap + kHalfGap);
  const auto limit = runtime::Rounded(strip->Width());
  if (step && limit && *step > 0) {
    for (std::int32_t x = 1; x <= *limit; x += *step) {
      strip->PaintPicture(image->GetPicture(), static_cast<float>(x), 0);
    }
  }
  strip->SetPicture(strip->Image());
  strip->SetVisible(true);
  return strip;
}

void frmAdvent1::Init() {
  std::int32_t pick = 0;
  std::int32_t row = 0;
  std::int32_t nextTop = 0;
  std::int32_t shift = 0;

  for (;;) {
    // Every picture of the set can be drawn, each with the same chance.
    if (const auto drawn = runtime::Floored(static_cast<double>(Image1.Count()) * runtime::Rnd())) pick = *drawn;
    ++row;
    runtime::PictureBox* left = LoadStrip(Picture1, row, pick, static_cast<float>(nextTop), nullptr);
    // A row that cannot be made ends the layout rather than retrying forever.
    if (left == nullptr) break;
    LoadStrip(Picture2, row, pick, static_cast<float>(nextTop), left);

    const std::int32_t previousTop = nextTop;
    if (const auto next = runtime::Rounded(static_cast<double>(left->Top()) + left->Height() + kRowGap)) {
      nextTop = *next;
    }
    if (nextTop <= previousTop) break;
    if (!(static_cast<float>(nextTop) < ScaleHeight())) break;
  }

  // Centre the stack, the gap below the last row included.
  if (const auto centring = runtime::Rounded((nextTop - static_cast<double>(ScaleHeight())) / 2)) shift = *centring;
  for (int k = 1; k <= Picture1.Count() - 1; ++k) {
    if (runtime::PictureBox* strip = Picture1.Item(k)) strip->SetTop(strip->Top() - static_cast<float>(shift));
    if (runtime::PictureBox* strip = Picture2.Item(k)) strip->SetTop(strip->Top() - static_cast<float>(shift));
  }
}

void frmAdvent1::Timer2_Timer() {
  const int n = Picture1.Count() - 1;
  int phase = 0;
  for (int k = 1; k <= n; ++k) {
    ++phase;
    const bool leftward = phase == 1;  // odd rows, counted from the top, go left
    const float step = leftward ? -kStep : kStep;
    // The left strip moves before the right one; a strip that is missing is skipped.
    if (runtime::PictureBox* strip = Picture1.Item(k)) {
      strip->SetLeft(strip->Left() + step);
      KeepInBand(*strip, leftward);
    }
    if (runtime::PictureBox* strip = Picture2.Item(k)) {
      strip->SetLeft(strip->Left() + step);
      KeepInBand(*strip, leftward);
    }
    if (phase == 2) phase = 0;
  }
}
