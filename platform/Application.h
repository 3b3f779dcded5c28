// SPDX-License-Identifier: MIT
// The application as a whole: activation, its end, modal panels, screens.
#pragma once

#include "platform/Interface.h"

#include <optional>

namespace platform {

class Application {
public:
    virtual ~Application() = default;
    // Makes the assistant the active application, also while another one is.
    virtual void activateIgnoringOtherApps(bool flag) = 0;
    // Ends the application in an orderly way. Main thread only.
    virtual void terminate(const void* sender) = 0;
    // True once the user or the system has asked the application to end (a
    // termination signal) while the main thread was busy: long steps look at
    // it between their parts and stop early. Main thread only; never blocks.
    virtual bool terminationRequested() const = 0;
    // Shows the window as a modal panel and runs a modal loop for it; returns
    // once stopModal() has ended that loop. Main thread only; other windows
    // take no input meanwhile, events and notifications are still delivered.
    virtual void runModalForWindow(Window* window) = 0;
    // Ends the modal loop that is running, if any.
    virtual void stopModal() = 0;
    // The screen that holds the key window (else the primary one), or none.
    virtual std::optional<Rect> mainScreenFrame() const = 0;
    // The part of that screen that windows may use (without panels and
    // docks), or none when there is no main screen.
    virtual std::optional<Rect> mainScreenVisibleFrame() const = 0;
};

} // namespace platform
