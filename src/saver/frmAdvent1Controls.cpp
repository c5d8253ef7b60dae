// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The saver window's controls as designed: the picture set Image1(0..11), never
// shown, each the size of its picture; and the two strip templates Picture1(0) and
// Picture2(0), white and borderless, from which the mosaic loads its strips. The
// templates are kept hidden: nothing the user sees comes from them.
#include <memory>

#include "../startup/runtime/Application.h"
#include "PictureSet.h"
#include "frmAdvent1.h"

namespace {
runtime::PictureBoxDesign StripTemplate(float top, int tabIndex) {
  runtime::PictureBoxDesign design;
  design.backColour = runtime::kWhite;
  design.borderStyle = 0;
  design.autoRedraw = true;
  design.scaleMode = 1;
  design.left = 4200;
  design.top = top;
  design.width = 3975;
  design.height = 1215;
  design.tabIndex = tabIndex;
  design.visible = false;
  return design;
}
}  // namespace

runtime::ControlArray<runtime::ImageControl>::Factory frmAdvent1::PictureSetFactory() {
  return [](int index) {
    return std::make_unique<runtime::ImageControl>(LoadSetPicture(index, runtime::Screen().DotsPerInch()),
                                                   runtime::Screen().TwipsPerPixelX(),
                                                   runtime::Screen().TwipsPerPixelY());
  };
}

runtime::ControlArray<runtime::PictureBox>::Factory frmAdvent1::StripFactory(
    runtime::ControlArray<runtime::PictureBox>& strips, float templateTop, int templateTabIndex) {
  // A loaded strip copies its template's design and starts invisible.
  return [this, &strips, templateTop, templateTabIndex](int index) {
    runtime::PictureBoxDesign design =
        index == 0 ? StripTemplate(templateTop, templateTabIndex) : strips(0).Design();
    design.visible = false;
    return std::make_unique<runtime::PictureBox>(*this, design);
  };
}

void frmAdvent1::DesignControls() {
  for (int index = 0; index < kPictureCount; ++index) Image1.Design(index);
  Picture1.Design(0);
  Picture2.Design(0);
}
