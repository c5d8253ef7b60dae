// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Windowless controls of a form: image controls (a stored picture and its size)
// and picture boxes (a rectangle with a back colour and a persistent drawing).
// Geometry is in twips. A picture box's drawing is kept as what was drawn, a list
// of pictures and their places, not as pixels, so a wide strip costs a few bytes.
#pragma once

#include <memory>
#include <vector>

#include "Types.h"
#include "gfx/Bitmap.h"

namespace runtime {

class Form;

// A stored bitmap, shared: copies refer to the same pixels.
using Picture = std::shared_ptr<const gfx::Bitmap>;

// One picture painted into a picture box at (x, y) twips of the box.
struct PaintedPicture {
  Picture picture;
  float x = 0;
  float y = 0;
};

// The persistent drawing of a picture box: what was painted, in order.
struct Drawing {
  std::vector<PaintedPicture> copies;
};

class ImageControl {
 public:
  ImageControl() = default;
  // The control takes its picture's size: it never stretches it.
  ImageControl(Picture picture, float twipsPerPixelX, float twipsPerPixelY);

  const Picture& GetPicture() const { return picture_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  bool Visible() const { return false; }

 private:
  Picture picture_;
  float width_ = 0;
  float height_ = 0;
};

// The design of a picture box; a loaded member of a control array starts as a copy
// of its template's design, but invisible.
struct PictureBoxDesign {
  Colour backColour = kWhite;
  int borderStyle = 0;
  bool autoRedraw = true;
  int scaleMode = 1;  // twips
  float left = 0, top = 0, width = 0, height = 0;
  int tabIndex = 0;
  bool visible = false;
};

class PictureBox {
 public:
  PictureBox(Form& container, const PictureBoxDesign& design);

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  bool Visible() const { return visible_; }
  Colour BackColor() const { return design_.backColour; }
  const PictureBoxDesign& Design() const { return design_; }

  void SetLeft(float left);
  void SetTop(float top);
  void SetWidth(float width);
  void SetHeight(float height);
  void SetVisible(bool visible);

  // Draws `picture` at its natural size with its top left corner at (x, y) twips.
  void PaintPicture(const Picture& picture, float x, float y);
  // The persistent drawing: what has been painted into the box.
  const Drawing& Image() const { return image_; }
  // Keeps `drawing` as the box's fixed picture.
  void SetPicture(const Drawing& drawing);
  const Drawing& GetPicture() const { return picture_; }

 private:
  void Changed();
  template <typename Value>
  void Change(Value& property, Value value);

  Form& container_;
  PictureBoxDesign design_;
  float left_, top_, width_, height_;
  bool visible_;
  Drawing image_;
  Drawing picture_;
};

}  // namespace runtime
