// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class QString;

namespace platform {

struct PlatformProfile;

namespace qt {
class QtLinuxPlatform;
}

// The application's start: loads the interface description from the bundle,
// creates the one controller and connects it, then runs the event loop until
// the assistant ends. Qt's own options (such as -platform) keep working.
int applicationMain(int argc, char* argv[]);

// The assistant on the Qt application that exists: everything after the
// application object, until the event loop has ended. Returns the exit
// status. services, when given, is pointed at the platform, which background
// threads keep alive past the return.
int runAssistant(const QString& resources, const PlatformProfile& profile,
                 std::weak_ptr<qt::QtLinuxPlatform>* services = nullptr);

} // namespace platform
