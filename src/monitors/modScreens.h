// Covering every monitor in use but the primary one with a window of one colour.
#pragma once

#include <memory>
#include <vector>

#include "../startup/runtime/Types.h"

class frmBlack;

namespace modScreens {

// The module's state: the cover windows, kept until the program ends.
struct Module {
  Module();
  ~Module();
  std::vector<std::unique_ptr<frmBlack>> Covers;
};

// Covers the other monitors with windows of `colour`. Failing steps are skipped.
void BlankScreens(Module& module, runtime::Colour colour);

}  // namespace modScreens
