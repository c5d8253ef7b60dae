// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// An animated GIF that loops forever, written with giflib into memory: one
// global palette of at most 255 colours (one more index is kept for
// transparency), frames added one at a time as palette indices, each with its own
// delay in centiseconds. After the first frame each frame stores only the
// rectangle that changed, with the pixels it shares with the frame before made
// transparent, so a mostly still animation stays small.
// Frames must all have the animation's size and use only palette indices. Once
// giflib refuses a step the animation stays failed and Error() says why.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ColourReducer.h"

struct GifFileType;

namespace render {

class GifAnimation {
 public:
  // `palette` holds 1 to 255 colours; width and height are 1 to 65535.
  GifAnimation(int width, int height, const Palette& palette);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // `indices` holds width × height palette indices, row after row. False once
  // the animation has failed.
  bool AddFrame(const std::vector<std::uint8_t>& indices, int delayCentiseconds);
  int FrameCount() const { return frames_; }

  // Ends the animation: the bytes of the complete file, or empty with Error()
  // set when it failed. Nothing may be added afterwards.
  std::vector<std::uint8_t> Finish();
  const std::string& Error() const { return error_; }

 private:
  struct Area {
    int left, top, right, bottom;
  };
  struct Close {
    void operator()(GifFileType* file) const;
  };

  Area ChangedArea(const std::vector<std::uint8_t>& indices) const;
  bool PutImage(const std::vector<std::uint8_t>& indices, const Area& area, bool transparentUnchanged,
                int delayCentiseconds);
  bool Check(int giflibResult, const char* step);
  static int Append(GifFileType* file, const std::uint8_t* data, int length);

  int width_;
  int height_;
  int transparentIndex_;
  std::vector<std::uint8_t> bytes_;     // giflib's output so far; outlives file_
  std::unique_ptr<GifFileType, Close> file_;
  std::vector<std::uint8_t> previous_;  // palette indices of the last frame shown
  int frames_ = 0;
  std::string error_;
};

}  // namespace render
