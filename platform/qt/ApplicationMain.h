#pragma once

namespace platform {

// The application's start: loads the interface description from the bundle,
// creates the one controller and connects it, then runs the event loop until
// the assistant ends. Qt's own options (such as -platform) keep working.
int applicationMain(int argc, char* argv[]);

} // namespace platform
