// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The saver window: borderless, maximised, topmost and white, with the invisible
// pointer. It covers the other monitors when it loads, keeps the activation and the
// foreground for the whole run, and ends the program on the first sign of the
// user: a key that produces a character, any movement of the cursor after the first
// watch tick, or any request to close; and when the lock screen has taken the
// screen from it, or the session is unlocked after a lock, which would leave it
// over the desktop. It rests while nobody can see it, and stands still while the
// user has turned animations off.
#pragma once

#include <cstdint>

#include "../startup/runtime/ControlArray.h"
#include "../startup/runtime/Controls.h"
#include "../startup/runtime/Form.h"
#include "../startup/runtime/Timer.h"
#include "../startup/runtime/Types.h"

class Project;

class frmAdvent1 : public runtime::Form {
 public:
  explicit frmAdvent1(Project& project);

  // The watch timer (started by Form_Load) and the animation timer (started by
  // the first watch tick); both tick every 10 ms at full pace, and at the pace of
  // who is watching otherwise (Audience.h).
  runtime::Timer Timer1;
  runtime::Timer Timer2;

  // The picture set, members 0 to 11, never shown.
  runtime::ControlArray<runtime::ImageControl> Image1;
  // The strips of the mosaic: member 0 of each is a template; row k is the pair
  // Picture1(k) (left) and Picture2(k) (right).
  runtime::ControlArray<runtime::PictureBox> Picture1;
  runtime::ControlArray<runtime::PictureBox> Picture2;

  // One watch: ends the run when the cursor moved since the first reading, and
  // takes the activation and the foreground back when another window holds them.
  void CheckStuff();

  // Lays out the mosaic: rows of strips down the window, each strip one picture
  // repeated with gaps, the stack centred vertically.
  void Init();

 protected:
  void Form_Load() override;
  void Form_KeyPress(std::int16_t& keyAscii) override;
  void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode) override;
  void Form_Unload(std::int16_t& cancel) override;
  void Form_Terminate() override;
  void Form_Locked() override;

 private:
  void Timer1_Timer();
  // One animation step: odd rows slide left, even rows right, 10 twips.
  void Timer2_Timer();

  runtime::ControlArray<runtime::ImageControl>::Factory PictureSetFactory();
  runtime::ControlArray<runtime::PictureBox>::Factory StripFactory(runtime::ControlArray<runtime::PictureBox>& strips,
                                                                   float templateTop, int templateTabIndex);
  void DesignControls();
  // Fills one strip: loads it, sizes and places it, tiles the picture, shows it.
  runtime::PictureBox* LoadStrip(runtime::ControlArray<runtime::PictureBox>& strips, int row, int pick, float top,
                                 const runtime::PictureBox* leftNeighbour);

  Project& project_;
  // The cursor position at the first watch tick that could read it, in screen pixels.
  runtime::Point StartPos;
  bool StartPosTaken = false;
};
