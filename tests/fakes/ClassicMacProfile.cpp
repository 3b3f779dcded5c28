// SPDX-License-Identifier: MIT
#include "tests/fakes/ClassicMacProfile.h"

namespace fakes {

const platform::PlatformProfile& classicMacProfile() {
    static const platform::PlatformProfile profile{
        .addPrinterPrograms = {{R"(open "%s")", "/System/Library/CoreServices/AddPrinter.app",
                                "com.apple.print.add"}},
        .agentUnloadFormat = R"(launchctl unload "%s")",
        .agentLoadFormat = R"(launchctl load "%s")",
        // macOS 10.12's AppKit; a backend for that desktop reads the running
        // system's number instead.
        .toolkitVersion = 1504.0,
    };
    return profile;
}

} // namespace fakes
