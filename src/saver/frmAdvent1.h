// The saver window: borderless, maximised, topmost and white, with the invisible
// pointer. It covers the other monitors when it loads, keeps the activation and the
// foreground for the whole run, and ends the program on the first sign of the
// user: a key that produces a character, any movement of the cursor after the first
// watch tick, or any request to close.
#pragma once

#include <cstdint>

#include "../startup/runtime/Form.h"
#include "../startup/runtime/Timer.h"
#include "../startup/runtime/Types.h"

class Project;

class frmAdvent1 : public runtime::Form {
 public:
  explicit frmAdvent1(Project& project);

  // The watch timer (started by Form_Load) and the animation timer (started by
  // the first watch tick); both tick every 10 ms.
  runtime::Timer Timer1;
  runtime::Timer Timer2;

  // One watch: ends the run when the cursor moved since the first tick, and takes
  // the activation and the foreground back when another window holds them.
  void CheckStuff();

  // Lays out the mosaic.
  void Init();

 protected:
  void Form_Load() override;
  void Form_KeyPress(std::int16_t& keyAscii) override;
  void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode) override;
  void Form_Unload(std::int16_t& cancel) override;
  void Form_Terminate() override;

 private:
  void Timer1_Timer();
  void Timer2_Timer();

  Project& project_;
  // The cursor position at the first watch tick, in screen pixels.
  runtime::Point StartPos;
  bool StartPosTaken = false;
};
