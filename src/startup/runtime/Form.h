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
// whole whenever the window's size changes. While nobody can see the form (its
// displays are off, or its session is disconnected) it asks for nothing to be
// presented; when somebody can again, for the whole frame. In a remote session at
// most kRemoteFramesPerSecond frames a second are presented. The form's timers
// rest (Timer.h) while nobody can see it and while the user has turned
// animations off.
//
// The native window is made on first use and destroyed with the form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
  // False while the displays are off.
  bool DisplaySeen() const { return displaySeen_; }
  // Somebody can see the form: its displays are on and its session is connected.
  // Nothing is presented otherwise.
  bool Seen() const { return displaySeen_ && connected_; }
  // The form's timers rest: nobody can see it, or the user asked for no motion.
  bool Resting() const { return !Seen() || !animations_; }
  // The form is shown through a remote client.
  bool Remote() const { return remote_; }
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
  // The session was locked while somebody could see the form, or was connected
  // again still locked: the lock screen stands in front of the form.
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

  // What the form's timers and presents follow, taken before a change so that
  // only what changed is acted on.
  struct Pace {
    bool seen, resting, remote;
  };
  Pace CurrentPace() const { return Pace{Seen(), Resting(), remote_}; }
  void Repace(const Pace& before);
  // Tells the machine how many frames a second the window may present now.
  void LimitPresents();

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
  bool displaySeen_ = true;
  // The session as its events told it; connected and locked each follow their
  // own events alone, so the order in which they come does not matter.
  bool connected_ = true;
  bool locked_ = false;
  bool remote_ = false;
  bool animations_ = true;  // the user's "Show animations in Windows"
  int presentLimit_ = backend::kEveryRefresh;  // as last told to the machine

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
