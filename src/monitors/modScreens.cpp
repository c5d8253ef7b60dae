// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "modScreens.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "../saver/lib_ontop.h"
#include "../startup/runtime/Application.h"
#include "../startup/runtime/WindowsApi.h"
#include "clsScreens.h"
#include "frmBlack.h"

namespace modScreens {

namespace {

// Pixels to the twips that form positions take: the product is formed in double
// precision and kept in single precision, the type of the form's properties.
float Twips(std::int32_t pixels) {
  return static_cast<float>(static_cast<double>(pixels) * runtime::Screen().TwipsPerPixelX());
}

// Colours the cover, maximises it, places it on the screen's work area, shows it
// and puts it on top. The horizontal twips per pixel serves all four values. The
// maximised state is set first, so the work-area rectangle that follows picks the
// monitor, and the form runtime makes a maximised window cover that monitor whole.
// A size that cannot be read is skipped like any failed step.
void ShowCover(frmBlack& cover, const clsScreens& screens, std::int16_t screen, runtime::Colour colour) {
  // Touching a new form loads it: its window is made now, still hidden.
  cover.Load();
  cover.SetBackColor(colour);
  cover.SetWindowState(runtime::WindowState::Maximised);
  cover.SetLeft(Twips(screens.WorkLeft(screen)));
  cover.SetTop(Twips(screens.WorkTop(screen)));
  if (const std::optional<std::int32_t> height = screens.WorkHeight(screen)) cover.SetHeight(Twips(*height));
  if (const std::optional<std::int32_t> width = screens.WorkWidth(screen)) cover.SetWidth(Twips(*width));
  cover.SetVisible(true);
  platform::SetForegroundWindow(cover.hWnd());
  platform::SetActiveWindow(cover.hWnd());
  lib_ontop::SetOnTop(cover, true);
}

}  // namespace

Module::Module() = default;
Module::~Module() = default;

void BlankScreens(Module& module, runtime::Colour colour) {
  const clsScreens screens;

  // One slot per screen in use but one. When the count cannot be read the sizing is
  // skipped: the list keeps no slot and the highest slot number stays 0, so the
  // loop below still runs but has nowhere to put a cover.
  std::int16_t highestSlot = 0;
  if (const std::optional<std::int16_t> inUse = screens.Count(true)) {
    const int highest = *inUse - 2;
    if (highest >= std::numeric_limits<std::int16_t>::min()) {
      highestSlot = static_cast<std::int16_t>(highest);
      module.Covers.clear();
      module.Covers.resize(highestSlot >= 0 ? static_cast<std::size_t>(highestSlot) + 1 : 0);
    }
  }
  if (highestSlot < 0) return;

  std::int16_t lastScreen = 0;
  if (const std::optional<std::int16_t> count = screens.Count(false)) lastScreen = *count;
  std::size_t nextSlot = 0;
  for (int i = 1; i <= lastScreen; ++i) {
    const auto screen = static_cast<std::int16_t>(i);
    // A test that cannot be answered is a failed step: it is skipped, and with it
    // the going on to the next screen, so the screen stays a candidate.
    const std::optional<bool> enabled = screens.Enabled(screen);
    if (enabled && !*enabled) continue;
    const std::optional<std::int16_t> primary = screens.PrimaryMon();
    if (primary && *primary == screen) continue;
    // A screen beyond the last slot gets no cover at all, yet still uses a number.
    if (nextSlot < module.Covers.size()) {
      module.Covers[nextSlot] = std::make_unique<frmBlack>();
      ShowCover(*module.Covers[nextSlot], screens, screen, colour);
    }
    ++nextSlot;
  }
}

}  // namespace modScreens
