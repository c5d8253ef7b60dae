#include "Form.h"

#include <algorithm>

#include "Application.h"
#include "Controls.h"
#include "Timer.h"
#include "Twips.h"
#include "gfx/Painter.h"

namespace runtime {

Form::Form(const FormDesign& design)
    : design_(design),
      windowState_(design.windowState),
      backColour_(design.backColour),
      left_(design.left),
      top_(design.top),
      width_(design.width),
      height_(design.height) {}

Form::~Form() = default;

WindowHandle Form::hWnd() {
  if (window_ == 0) {
    backend::WindowDesign native;
    native.caption = design_.caption;
    native.inTaskbar = design_.showInTaskbar;
    native.blankPointer = design_.blankPointer;
    native.backColour = backColour_;
    window_ = backend::CreateFormWindow(native, *this);
    if (window_ != 0) {
      backend::PlaceWindow(window_, PixelBounds());
      if (visible_) backend::ShowWindow(window_, true);
    }
  }
  return window_;
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  hWnd();
  Form_Load();
}

void Form::Show(ShowStyle style) {
  Load();
  SetVisible(true);
  if (style == ShowStyle::Modal) backend::RunEventLoop();
}

PixelRect Form::PixelBounds() const {
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  const PixelRect normal{TwipsToPixels(left_, tppX), TwipsToPixels(top_, tppY),
                         TwipsToPixels(left_ + width_, tppX), TwipsToPixels(top_ + height_, tppY)};
  if (windowState_ == WindowState::Maximised) return backend::MonitorRectNearest(normal);
  return normal;
}

float Form::Left() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().left) * Screen().TwipsPerPixelX())
             : left_;
}
float Form::Top() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().top) * Screen().TwipsPerPixelY())
             : top_;
}
float Form::Width() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().Width()) * Screen().TwipsPerPixelX())
             : width_;
}
float Form::Height() const {
  return windowState_ == WindowState::Maximised
             ? static_cast<float>(static_cast<double>(PixelBounds().Height()) * Screen().TwipsPerPixelY())
             : height_;
}

void Form::SetLeft(float left) {
  left_ = left;
  Placed();
}
void Form::SetTop(float top) {
  top_ = top;
  Placed();
}
void Form::SetWidth(float width) {
  width_ = width;
  Placed();
}
void Form::SetHeight(float height) {
  height_ = height;
  Placed();
}
void Form::SetWindowState(WindowState state) {
  windowState_ = state;
  Placed();
}

void Form::SetVisible(bool visible) {
  visible_ = visible;
  if (hWnd() != 0) backend::ShowWindow(window_, visible);
}

void Form::SetBackColor(Colour colour) {
  backColour_ = colour;
  InvalidateAll();
}

void Form::Placed() {
  if (window_ != 0) backend::PlaceWindow(window_, PixelBounds());
  InvalidateAll();
}

void Form::InvalidateAll() {
  dirtyFirst_ = 0;
  dirtyEnd_ = frame_.Height();
  if (window_ != 0) backend::InvalidateRows(window_, 0, PixelBounds().Height());
}

PixelRect Form::ControlPixels(const PictureBox& box) const {
  if (!box.Visible()) return PixelRect{};
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  return PixelRect{TwipsToPixels(box.Left(), tppX), TwipsToPixels(box.Top(), tppY),
                   TwipsToPixels(static_cast<double>(box.Left()) + box.Width(), tppX),
                   TwipsToPixels(static_cast<double>(box.Top()) + box.Height(), tppY)};
}

void Form::ControlChanged(const PictureBox& box, const PixelRect& before) {
  const PixelRect now = ControlPixels(box);
  if (now == before) return;  // the same pixels: nothing to paint again
  int first = frame_.Height(), end = 0;
  for (const PixelRect& r : {before, now}) {
    if (r.Width() <= 0 || r.Height() <= 0) continue;
    first = std::min(first, std::max(0, r.top));
    end = std::max(end, r.bottom);
  }
  end = std::min(end, frame_.Height());
  if (first >= end) return;
  if (dirtyFirst_ >= dirtyEnd_) {
    dirtyFirst_ = first;
    dirtyEnd_ = end;
  } else {
    dirtyFirst_ = std::min(dirtyFirst_, first);
    dirtyEnd_ = std::max(dirtyEnd_, end);
  }
  if (window_ != 0) backend::InvalidateRows(window_, first, end);
}

const gfx::Bitmap& Form::ComposeFrame() {
  const PixelRect bounds = PixelBounds();
  if (frame_.Width() != bounds.Width() || frame_.Height() != bounds.Height()) {
    frame_ = gfx::Bitmap(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
    dirtyFirst_ = 0;
    dirtyEnd_ = frame_.Height();
  }
  const int first = std::max(0, dirtyFirst_);
  const int end = std::min(frame_.Height(), dirtyEnd_);
  if (first < end) {
    gfx::Painter painter(frame_);
    painter.SetClip(gfx::Rect{0, first, frame_.Width(), end});
    painter.Fill(gfx::Rect{0, first, frame_.Width(), end}, gfx::PixelFromColour(backColour_));
    for (const PictureBox* box : windowless_) PaintBox(frame_, *box, first, end);
  }
  dirtyFirst_ = dirtyEnd_ = 0;
  return frame_;
}

void Form::PaintBox(gfx::Bitmap& frame, const PictureBox& box, int firstRow, int endRow) const {
  const PixelRect r = ControlPixels(box);
  if (r.Width() <= 0 || r.Height() <= 0 || r.bottom <= firstRow || r.top >= endRow) return;
  gfx::Painter painter(frame);
  painter.SetClip(gfx::Rect{r.left, std::max(r.top, firstRow), r.right, std::min(r.bottom, endRow)});
  painter.Fill(gfx::Rect{r.left, r.top, r.right, r.bottom}, gfx::PixelFromColour(box.BackColor()));
  const double tppX = Screen().TwipsPerPixelX();
  const double tppY = Screen().TwipsPerPixelY();
  for (const PaintedPicture& copy : box.GetPicture().copies) {
    if (!copy.picture) continue;
    painter.Blit(*copy.picture, TwipsToPixels(static_cast<double>(box.Left()) + copy.x, tppX),
                 TwipsToPixels(static_cast<double>(box.Top()) + copy.y, tppY));
  }
}

void Form::OnCharacter(wchar_t character) {
  auto keyAscii = static_cast<std::int16_t>(character);
  Form_KeyPress(keyAscii);
}

bool Form::OnCloseRequest() {
  std::int16_t cancel = 0;
  Form_QueryUnload(cancel, 0);
  if (cancel != 0) return false;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  Form_Terminate();
  return true;
}

void Form::OnTimer(int timerId) {
  for (Timer* timer : timers_) {
    if (timer->Id() == timerId && timer->Enabled()) {
      timer->Fire();
      return;
    }
  }
}

}  // namespace runtime
