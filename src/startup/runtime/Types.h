// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Plain value types shared by the runtime, the platform seam and the program.
// Pixels are whole pixels of the virtual desktop (origin: top left of the primary
// monitor); twips are 1/1440 inch and are the unit of every form and control geometry.
#pragma once

#include <cstdint>

namespace runtime {

// A native window handle as a number; 0 means no window. On Windows it is the HWND.
using WindowHandle = std::intptr_t;

// A colour as &H00BBGGRR: red in the low byte, as Windows COLORREF.
using Colour = std::uint32_t;

constexpr Colour kBlack = 0x00000000u;
constexpr Colour kWhite = 0x00FFFFFFu;

struct Point {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

struct PixelRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool operator==(const PixelRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// Window states of a form.
enum class WindowState : int { Normal = 0, Minimised = 1, Maximised = 2 };

}  // namespace runtime
