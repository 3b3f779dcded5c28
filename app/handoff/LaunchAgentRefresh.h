// SPDX-License-Identifier: MIT
// Before anything is shown, the driver's background agents that the Wi-Fi
// catalogue lists are dropped and loaded again, one after the other, then the
// USB monitor agent where the toolkit is recent enough.
#pragma once

namespace platform {
class Platform;
}

// Returns when every command it ran has ended; what fails changes nothing
// that follows.
void refreshLaunchAgents(platform::Platform& platform);
