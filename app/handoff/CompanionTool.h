// SPDX-License-Identifier: MIT
// The maker's Wi-Fi setup tool, started as a process of its own that
// outlives the assistant, with the one argument "launchNetlume".
#pragma once

namespace platform {
class Platform;
}

// Reads the tool's path from the Wi-Fi catalogue at the moment of the call.
// A failed start writes one "error:" line; the caller ends the assistant
// either way.
void launchCompanionTool(platform::Platform& platform);
