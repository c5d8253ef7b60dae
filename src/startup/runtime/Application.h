// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The application and screen objects and the runtime's free functions: the command
// line, the clock, message boxes, files and the end of the program.
#pragma once

#include <optional>
#include <string>

#include "Backend.h"

namespace runtime {

class Application {
 public:
  // The application title; message boxes shown without a caption carry it.
  const std::wstring& Title() const { return title_; }
  void SetTitle(std::wstring title) { title_ = std::move(title); }

  // The running executable's file name without its extension.
  std::wstring EXEName() const;
  // The running executable's folder, without a trailing backslash.
  std::wstring Path() const;

 private:
  std::wstring title_;
};

// The process's application object.
Application& App();

// The screen: the primary monitor's density and the twips per pixel that follow
// from it (1440 ÷ dots per inch, the same across and down). The density is asked
// of the machine once, on first use, and kept for the run: the forms lay
// themselves out in twips when they load, and the pictures are drawn for that
// density, so a scale that changes later must not change the twips of what is on
// the screen.
class ScreenObject {
 public:
  float TwipsPerPixelX() const;
  float TwipsPerPixelY() const;
  // The screen's density, which the pictures are drawn for: 96 at 100%.
  int DotsPerInch() const;
  // Forgets the density, so that the next question asks the machine again; for a
  // fresh machine, never during a run.
  void Forget() { dotsPerInch_ = 0; }

 private:
  mutable int dotsPerInch_ = 0;  // 0 until asked
};

ScreenObject& Screen();

// The command-line arguments: the text after the program's own path.
std::wstring Command();

// Seconds since midnight.
float SecondsSinceMidnight();

// Message box buttons and icons, and the answers.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbExclamation = 48;
// Text aligned right, and read right to left (Arabic, Hebrew).
constexpr int vbMsgBoxRight = 0x80000;
constexpr int vbMsgBoxRtlReading = 0x100000;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Shows a modal message box with the given style; without a caption it carries the
// application title. Started for its settings with a window named ("/c:HWND"), the
// box is owned by that window. Returns the button pressed, or nothing when it
// could not be shown (a failed statement).
std::optional<int> MsgBox(const std::wstring& prompt, int buttons,
                          const std::optional<std::wstring>& title = std::nullopt);

// Attribute masks of the file lookup.
constexpr unsigned vbNormal = 0;

// The name of the first file matching `path` whose attributes lie within
// `attributes` (0: ordinary files only; hidden, system files and folders never
// match); "" when nothing matches.
std::wstring Dir(const std::wstring& path, unsigned attributes);

// Ends the program at once: every window closes and no further event handler
// runs, unload events included. Never returns.
[[noreturn]] void End();

}  // namespace runtime
