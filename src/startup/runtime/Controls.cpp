// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Controls.h"

#include "Form.h"

namespace runtime {

ImageControl::ImageControl(Picture picture, float twipsPerPixelX, float twipsPerPixelY)
    : picture_(std::move(picture)) {
  if (picture_) {
    width_ = static_cast<float>(picture_->Width()) * twipsPerPixelX;
    height_ = static_cast<float>(picture_->Height()) * twipsPerPixelY;
  }
}

PictureBox::PictureBox(Form& container, const PictureBoxDesign& design)
    : container_(container),
      design_(design),
      left_(design.left),
      top_(design.top),
      width_(design.width),
      height_(design.height),
      visible_(design.visible) {
  container_.AddWindowless(*this);
}

template <typename Value>
void PictureBox::Change(Value& property, Value value) {
  // The form repaints the pixels the box left and the pixels it now covers.
  const PixelRect before = container_.ControlPixels(*this);
  property = value;
  container_.ControlChanged(*this, before);
}

void PictureBox::SetLeft(float left) { Change(left_, left); }
void PictureBox::SetTop(float top) { Change(top_, top); }
void PictureBox::SetWidth(float width) { Change(width_, width); }
void PictureBox::SetHeight(float height) { Change(height_, height); }
void PictureBox::SetVisible(bool visible) { Change(visible_, visible); }

void PictureBox::PaintPicture(const Picture& picture, float x, float y) {
  image_.copies.push_back(PaintedPicture{picture, x, y});
}

void PictureBox::SetPicture(const Drawing& drawing) {
  picture_ = drawing;
  Changed();
}

void PictureBox::Changed() {
  // The same rectangle with new content: force its rows to be painted again.
  container_.ControlChanged(*this, PixelRect{});
}

}  // namespace runtime
