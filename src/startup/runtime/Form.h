// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A form of the forms runtime: a top-level window with design properties, events,
// timers and windowless controls, portable over the machine beneath (Backend.h).
//
// Geometry is in twips (single precision); pixels are derived through the screen's
// twips per pixel when the window is placed or painted. A maximised form covers the
// whole rectangle of the monitor that its normal rectangle lies on most, so a
// position given after maximising picks the monitor, and it keeps covering that
// monitor when the displays change: a form on the primary stays on the primary,
// any other on the monitor of the same device name. While that monitor is gone, or
// has become the primary, the form's window is hidden, never moved onto another
// monitor; it comes back when the monitor does. A new density on the form's
// monitor is handled the same way: the window covers its monitor's rectangle, and
// the twips and pictures keep the density of the start. The form paints its visible
// picture boxes over its back colour into a frame of device pixels, recomposed
// whole whenever the window's size changes. Who is watching the form is kept by
// its Audience (Audience.h), each fact set by its own notice from the machine;
// the form hands the pace that follows to its timers and to the machine's
// presents, and asks for the whole frame when somebody can see it again. A lock
// that has taken the screen from the form, or an unlock after a lock, runs
// Form_Locked.
//
// The native window is made on first use and destroyed with the form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Audience.h"
#include "Backend.h"
#include "Compositor.h"
#include "Types.h"
#include "gfx/Bitmap.h"

namespace runtime {

class PictureBox;
class Timer;

struct FormDesign {
  std::wstring caption;
  Colour backColour = kWhite;
  bool showInTaskbar = false;
  bool blankPointer = false;  // MousePointer custom with the blank pointer
  WindowState windowState = WindowState::Normal;
  float left = 0, top = 0, width = 4800, height = 3600;  // twips
};

enum class ShowStyle : int { Modeless = 0, Modal = 1 };

// Why a form is asked to unload, as Form_QueryUnload's UnloadMode says.
constexpr std::int16_t vbFormControlMenu = 0;  // the close command, or another program asking
constexpr std::int16_t vbAppWindows = 2;       // the Windows session is ending

class Form : private backend::WindowEvents {
 public:
  explicit Form(const FormDesign& design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The native window, made on first use; 0 when it cannot be made.
  WindowHandle hWnd();

  // Makes the window (hidden) and runs Form_Load, once.
  void Load();
  bool Loaded() const { return loaded_; }
  // Loads if needed and makes the form visible; modal runs the event loop, unless
  // the form has no window to wait for (it could not be made), when the show
  // fails and returns at once.
  void Show(ShowStyle style);

  float Left() const;
  float Top() const;
  float Width() const;
  float Height() const;
  // The inner size; without a border it is the whole window.
  float ScaleWidth() const { return Width(); }
  float ScaleHeight() const { return Height(); }
  WindowState GetWindowState() const { return windowState_; }
  bool Visible() const { return visible_; }
  // Who is watching, as the machine told it, and the state that follows.
  const Audience& Watching() const { return audience_; }
  Showing State() const { return audience_.State(); }
  Colour BackColor() const { return backColour_; }

  void SetLeft(float left);
  void SetTop(float top);
  void SetWidth(float width);
  void SetHeight(float height);
  void SetWindowState(WindowState state);
  void SetVisible(bool visible);
  void SetBackColor(Colour colour);

  // Where the window lies on the desktop, in pixels.
  PixelRect PixelBounds() const { return bounds_; }

  // The frame as it would be presented now (composed up to date).
  const gfx::Bitmap& Frame() { return ComposeFrame(); }
  // How many scanlines the last composition wrote (0 when nothing had changed).
  int LastComposedRows() const { return lastComposedRows_; }

  // The pixels a picture box of this form covers now; empty when invisible.
  PixelRect ControlPixels(const PictureBox& box) const;

  // Called by the runtime's controls of this form.
  void AddWindowless(PictureBox& box) { windowless_.push_back(&box); }
  void ControlChanged(const PictureBox& box, const PixelRect& before);
  void AddTimer(Timer& timer) { timers_.push_back(&timer); }

 protected:
  virtual void Form_Load() {}
  virtual void Form_KeyPress(std::int16_t& keyAscii) { (void)keyAscii; }
  virtual void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode) {
    (void)cancel;
    (void)unloadMode;
  }
  virtual void Form_Unload(std::int16_t& cancel) { (void)cancel; }
  virtual void Form_Terminate() {}
  // The lock screen has taken the screen from the form, or the session was
  // unlocked after a lock: either way the user no longer sees the form.
  virtual void Form_Locked() {}


 private:
  void OnCharacter(wchar_t character) override;
  bool OnCloseRequest() override;
  bool OnEndSessionQuery() override;
  bool OnEndSession() override;
  // Runs Form_QueryUnload; true unless it cancels.
  bool AgreesToUnload(std::int16_t unloadMode);
  // Runs Form_Unload and, unless it cancels, Form_Terminate; true when the window
  // is to go.
  bool Unload();
  void OnTimer(int timerId) override;
  const gfx::Bitmap& ComposeFrame() override;
  void OnDisplaysChanged() override;
  void OnDpiChanged() override;
  void OnDisplayPower(backend::DisplayPower power) override;
  void OnSessionChange(backend::SessionChange change, unsigned long sessionId) override;
  void OnSettingsChanged() override;

  // Sets one fact of who is watching, then follows what that changed.
  template <typename SetFact>
  void Notice(SetFact set) {
    const Showing before = audience_.State();
    set(audience_);
    Follow(before);
  }
  // Hands the timers and the presents the pace of the state now, when it is no
  // longer `before`, and acts on a lock in front of the form.
  void Follow(Showing before);
  // Asks the machine whether the form's desktop is the one on the screen.
  void LookAtInputDesktop();

  void Placed();
  void WorkOutBounds();
  // The native window is shown when the form is visible and on its monitor.
  bool ShownNatively() const { return visible_ && !offMonitor_; }
  void InvalidateAll();
  void MarkRows(int first, int end);
  // Asks the machine to present the rows [first, end), unless no one can see them.
  void AskToPresent(int first, int end);
  void BuildLayers();

  FormDesign design_;
  WindowHandle window_ = 0;
  bool loaded_ = false;
  bool visible_ = false;
  WindowState windowState_;
  Colour backColour_;
  float left_, top_, width_, height_;
  // Worked out whenever the geometry changes: the monitor a maximised window
  // covers is a question to the window server, too costly for every frame.
  PixelRect bounds_;
  // The monitor a maximised form covers, as it was when last placed.
  backend::MonitorArea monitor_;
  // A maximised form whose monitor went away; its window is hidden meanwhile.
  bool offMonitor_ = false;
  Audience audience_;

  std::vector<PictureBox*> windowless_;
  std::vector<Timer*> timers_;

  // The frame is composed only where something changed: a flag per scanline.
  gfx::Bitmap frame_;
  std::vector<std::uint8_t> dirtyRows_;
  bool anyDirty_ = true;
  int lastComposedRows_ = 0;
  std::vector<Layer> layers_;
  Compositor compositor_;
};

}  // namespace runtime
