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

void PictureBox::SetLeft(float left) {
  const PixelRect before = container_.ControlPixels(*this);
  left_ = left;
  container_.ControlChanged(*this, before);
}
void PictureBox::SetTop(float top) {
  const PixelRect before = container_.ControlPixels(*this);
  top_ = top;
  container_.ControlChanged(*this, before);
}
void PictureBox::SetWidth(float width) {
  const PixelRect before = container_.ControlPixels(*this);
  width_ = width;
  container_.ControlChanged(*this, before);
}
void PictureBox::SetHeight(float height) {
  const PixelRect before = container_.ControlPixels(*this);
  height_ = height;
  container_.ControlChanged(*this, before);
}
void PictureBox::SetVisible(bool visible) {
  const PixelRect before = container_.ControlPixels(*this);
  visible_ = visible;
  container_.ControlChanged(*this, before);
}

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
