// The install check: run as a downloaded ".exe", the program offers to install
// itself as a screen saver and ends; started any other way it returns at once.
#pragma once

namespace modInstallCheck {

// Returns when there is nothing to install; otherwise ends the program.
void CheckInstall();

}  // namespace modInstallCheck
