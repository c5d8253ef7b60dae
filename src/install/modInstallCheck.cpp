#include "modInstallCheck.h"

namespace modInstallCheck {

// The offer to install arrives with the self-installation work; until then every
// start goes on to the command-line modes.
void CheckInstall() {}

}  // namespace modInstallCheck
