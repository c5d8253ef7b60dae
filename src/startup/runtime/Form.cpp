// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Form.h"

#include <algorithm>

#include "Application.h"
#include "Controls.h"
#include "Session.h"
#include "Timer.h"
#include "Twips.h"

namespace runtime {

Form::Form(const FormDesign& design)
    : design_(design),
      windowState_(design.windowState),
      backColour_(design.backColour),
      left_(design.left),
      top_(design.top),
      width_(design.width),
      height_(design.height) {
  WorkOutBounds();
}

Form::~Form() {
  // The window goes with its form; from here on no message can reach this form.
  if (window_ != 0) backend::DestroyWindow(window_);
}

namespace {

// The monitor that a maximised form placed on `was` covers now: the primary for a
// form on the primary, whatever its name, so the saver always covers the screen the
// user looks at; otherwise the monitor of the same device name, unless that one has
// become the primary, which belongs to the form that was there. Null when none is.
const backend::MonitorArea* MonitorNow(const std::vector<backend::MonitorArea>& monitors,
                                       const backend::MonitorArea& was) {
  for (const backend::MonitorArea& monitor : monitors) {
    if (was.primary ? monitor.primary : !monitor.primary && monitor.device == was.device) return &monitor;
  }
  return nullptr;
}

}  // namespace

WindowHandle Form::hWnd() {
  if (window_ == 0) {
    backend::WindowDesign native;
    native.caption = design_.caption;
    native.inTaskbar = design_.showInTaskbar;
    native.blankPointer = design_.blankPointer;
    native.backColour = backColour_;
    window_ = backend::CreateFormWindow(native, *this);
    if (window_ != 0) {
      // A session the system cannot tell of is taken as shown. The new window
      // presents at every refresh, as at full pace, until told otherwise.
      audience_.connected = backend::SessionConnectState() != backend::ConnectState::Disconnected;
      audience_.remote = InRemoteSession();
      audience_.animations = backend::ClientAreaAnimation();
      Follow(Showing::Moving);
      backend::PlaceWindow(window_, PixelBounds());
      if (ShownNatively()) backend::ShowWindow(window_, true);
    }
  }
  return window_;
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  hWnd();
  Form_Load();
}

void Form::Show(ShowStyle style) {
  Load();
  SetVisible(true);
  if (style == ShowStyle::Modal && window_ != 0) backend::RunEventLoop();
}

void Form::WorkOutBounds() {
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  const PixelRect normal{TwipsToPixels(left_, tppX), TwipsToPixels(top_, tppY),
                         TwipsToPixels(left_ + width_, tppX), TwipsToPixels(top_ + height_, tppY)};
  if (windowState_ == WindowState::Maximised) {
    monitor_ = backend::MonitorNearest(normal);
    bounds_ = monitor_.rect;
  } else {
    bounds_ = normal;
  }
}

float Form::Left() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().left) * Screen().TwipsPerPixelX())
             : left_;
}
float Form::Top() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().top) * Screen().TwipsPerPixelY())
             : top_;
}
float Form::Width() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().Width()) * Screen().TwipsPerPixelX())
             : width_;
}
float Form::Height() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().Height()) * Screen().TwipsPerPixelY())
             : height_;
}

void Form::SetLeft(float left) {
  left_ = left;
  Placed();
}
void Form::SetTop(float top) {
  top_ = top;
  Placed();
}
void Form::SetWidth(float width) {
  width_ = width;
  Placed();
}
void Form::SetHeight(float height) {
  height_ = height;
  Placed();
}
void Form::SetWindowState(WindowState state) {
  windowState_ = state;
  Placed();
}

void Form::SetVisible(bool visible) {
  const bool made = hWnd() != 0;
  visible_ = visible;
  if (made) backend::ShowWindow(window_, ShownNatively());
}

void Form::SetBackColor(Colour colour) {
  backColour_ = colour;
  InvalidateAll();
}

void Form::Placed() {
  // Placed by the program, the form lies on a monitor again, whichever it is.
  const bool wasOff = offMonitor_;
  offMonitor_ = false;
  WorkOutBounds();
  if (window_ != 0) {
    backend::PlaceWindow(window_, PixelBounds());
    if (wasOff && ShownNatively()) backend::ShowWindow(window_, true);
  }
  InvalidateAll();
}

void Form::OnDisplaysChanged() {
  // A normal window stays where the program put it; only a maximised one belongs
  // to a monitor. A monitor without a name cannot be found again: stay.
  if (windowState_ != WindowState::Maximised || window_ == 0) return;
  if (!monitor_.primary && monitor_.device.empty()) return;
  std::vector<backend::MonitorArea> monitors;
  if (!backend::EnumMonitors(monitors)) return;
  const backend::MonitorArea* now = MonitorNow(monitors, monitor_);
  if (now == nullptr) {
    if (!offMonitor_ && ShownNatively()) backend::ShowWindow(window_, false);
    offMonitor_ = true;
    return;
  }
  const bool moved = !(now->rect == bounds_);
  const bool returning = offMonitor_;
  monitor_ = *now;
  if (!moved && !returning) return;
  bounds_ = now->rect;
  offMonitor_ = false;
  if (moved) backend::PlaceWindow(window_, bounds_);
  // A new size gives a new frame, composed whole before anything is presented.
  InvalidateAll();
  if (returning && ShownNatively()) backend::ShowWindow(window_, true);
}

void Form::OnDpiChanged() {
  // The system suggests the old rectangle scaled, which suits a window dragged
  // across monitors, not one that covers a monitor: the form keeps to its rules
  // for display changes instead, and the run keeps the density it started with.
  OnDisplaysChanged();
}

void Form::OnDisplayPower(backend::DisplayPower power) {
  Notice([power](Audience& audience) { audience.displaysOn = power == backend::DisplayPower::On; });
}

void Form::OnSessionChange(backend::SessionChange change, unsigned long sessionId) {
  if (!IsOwnSession(sessionId)) return;
  switch (change) {
    case backend::SessionChange::Connected:
      // Connected from another place, perhaps: the console, or a remote client.
      Notice([](Audience& audience) {
        audience.connected = true;
        audience.remote = InRemoteSession();
      });
      break;
    case backend::SessionChange::Disconnected:
      Notice([](Audience& audience) { audience.connected = false; });
      break;
    case backend::SessionChange::Locked:
      Notice([](Audience& audience) { audience.locked = true; });
      break;
    case backend::SessionChange::Unlocked: {
      // Unlocked in front of somebody: the user came through the lock screen,
      // which stood over the form, so the form is not what they left.
      const bool lockedInView = audience_.locked && audience_.connected;
      Notice([](Audience& audience) { audience.locked = false; });
      if (lockedInView) {
        Form_Locked();
        return;
      }
      break;
    }
  }
  // The desktop on the screen may change with any of them.
  LookAtInputDesktop();
}

void Form::OnSettingsChanged() {
  // The message does not always say which setting changed: it is read again.
  Notice([](Audience& audience) { audience.animations = backend::ClientAreaAnimation(); });
}

void Form::LookAtInputDesktop() {
  Notice([](Audience& audience) { audience.ownDesktopShown = backend::InputDesktopIsOwn(); });
}

void Form::Follow(Showing before) {
  const Showing now = audience_.State();
  if (now != before) {
    const Pace pace = PaceFor(now);
    for (Timer* timer : timers_) timer->SetPace(pace, window_);
    if (window_ != 0 && pace.presentsPerSecond != PaceFor(before).presentsPerSecond) {
      backend::LimitPresents(window_, pace.presentsPerSecond);
    }
    // What changed while no one could see it was never presented.
    if (before == Showing::Unseen) InvalidateAll();
  }
  if (audience_.LockInFront()) Form_Locked();
}

void Form::InvalidateAll() {
  std::fill(dirtyRows_.begin(), dirtyRows_.end(), std::uint8_t{1});
  anyDirty_ = true;
  AskToPresent(0, PixelBounds().Height());
}

void Form::MarkRows(int first, int end) {
  first = std::max(first, 0);
  end = std::min(end, static_cast<int>(dirtyRows_.size()));
  if (first >= end) return;
  std::fill(dirtyRows_.begin() + first, dirtyRows_.begin() + end, std::uint8_t{1});
  anyDirty_ = true;
  AskToPresent(first, end);
}

void Form::AskToPresent(int first, int end) {
  // The machine holds the rows while nobody can see them.
  if (window_ != 0) backend::InvalidateRows(window_, first, end);
}

PixelRect Form::ControlPixels(const PictureBox& box) const {
  if (!box.Visible()) return PixelRect{};
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  return PixelRect{TwipsToPixels(box.Left(), tppX), TwipsToPixels(box.Top(), tppY),
                   TwipsToPixels(static_cast<double>(box.Left()) + box.Width(), tppX),
                   TwipsToPixels(static_cast<double>(box.Top()) + box.Height(), tppY)};
}

void Form::ControlChanged(const PictureBox& box, const PixelRect& before) {
  const PixelRect now = ControlPixels(box);
  if (now == before) return;  // the same pixels: nothing to compose again
  for (const PixelRect& r : {before, now}) {
    if (r.Width() > 0 && r.Height() > 0) MarkRows(r.top, r.bottom);
  }
}

void Form::BuildLayers() {
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  std::size_t used = 0;  // layers are reused from frame to frame
  for (const PictureBox* box : windowless_) {
    const PixelRect rect = ControlPixels(*box);
    if (rect.Width() <= 0 || rect.Height() <= 0) continue;
    if (used == layers_.size()) layers_.emplace_back();
    Layer& layer = layers_[used++];
    layer.rect = rect;
    layer.back = gfx::PixelFromColour(box->BackColor());
    layer.pictures.clear();
    // The drawing moves with its box as one piece: a box's content changes pixels
    // exactly when its rectangle does, which is what ControlChanged watches. The
    // box's own place comes from its position in twips, so 10-twip steps add up.
    for (const PaintedPicture& copy : box->GetPicture().copies) {
      if (!copy.picture) continue;
      layer.pictures.push_back(PlacedPicture{rect.left + TwipsToPixels(copy.x, tppX),
                                             rect.top + TwipsToPixels(copy.y, tppY), copy.picture.get()});
    }
    layer.picturesInOrder = PicturesInOrder(layer.pictures);
  }
  layers_.resize(used);
}

const gfx::Bitmap& Form::ComposeFrame() {
  const PixelRect bounds = PixelBounds();
  if (frame_.Width() != bounds.Width() || frame_.Height() != bounds.Height()) {
    frame_ = gfx::Bitmap(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
    dirtyRows_.assign(static_cast<std::size_t>(frame_.Height()), std::uint8_t{1});
    anyDirty_ = true;
  }
  if (!anyDirty_) {
    lastComposedRows_ = 0;
    return frame_;
  }
  BuildLayers();
  const gfx::Pixel back = gfx::PixelFromColour(backColour_);
  lastComposedRows_ = 0;
  for (int y = 0; y < frame_.Height(); ++y) {
    if (dirtyRows_[static_cast<std::size_t>(y)] == 0) continue;
    compositor_.ComposeScanline(frame_, y, back, layers_);
    dirtyRows_[static_cast<std::size_t>(y)] = 0;
    ++lastComposedRows_;
  }
  anyDirty_ = false;
  return frame_;
}

void Form::OnCharacter(wchar_t character) {
  auto keyAscii = static_cast<std::int16_t>(character);
  Form_KeyPress(keyAscii);
}

bool Form::OnCloseRequest() { return AgreesToUnload(vbFormControlMenu) && Unload(); }

// The end of a session comes in two steps: the query may be followed by a
// cancelled shutdown, so it only asks, and the form keeps its window.
bool Form::OnEndSessionQuery() { return AgreesToUnload(vbAppWindows); }

bool Form::OnEndSession() { return Unload(); }

bool Form::AgreesToUnload(std::int16_t unloadMode) {
  std::int16_t cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  return cancel == 0;
}

bool Form::Unload() {
  std::int16_t cancel = 0;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  Form_Terminate();
  // The machine destroys the window now; the form may make a new one later.
  window_ = 0;
  return true;
}

void Form::OnTimer(int timerId) {
  for (Timer* timer : timers_) {
    if (timer->Id() == timerId && timer->Enabled()) {
      timer->Fire();
      // The lock screen may take the screen some time after the lock is told.
      if (timer->Use() == TimerUse::Watch && audience_.locked) LookAtInputDesktop();
      break;
    }
  }
  for (Timer* timer : timers_) timer->CatchUp(window_);
}

}  // namespace runtime
