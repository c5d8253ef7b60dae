#include "modScreens.h"

#include "frmBlack.h"

namespace modScreens {

Module::Module() = default;
Module::~Module() = default;

// The covers arrive with the multi-monitor work; until then one monitor is served.
void BlankScreens(Module& module, runtime::Colour colour) {
  (void)module;
  (void)colour;
}

}  // namespace modScreens
