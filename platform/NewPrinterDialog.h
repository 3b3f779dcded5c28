// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Failure.h"

#include <functional>
#include <string>

namespace platform {

// How the printer settings' new-printer dialog ended.
struct NewPrinterOutcome {
    enum class Kind { Added, Modified, Cancelled, ServiceGone, Failed };
    Kind kind = Kind::Failed;
    // Added and Modified: the queue's name.
    std::string queue = {};
    // Failed: why the dialog never opened.
    Failure failure = {};
};

// The printer settings' session service (system-config-printer's), which
// opens its new-printer dialog at one device and says how the dialog ended.
class NewPrinterDialog {
public:
    virtual ~NewPrinterDialog() = default;
    // Whether the service is on the session bus or can be started there,
    // asked without waiting: answer runs once, on the main thread.
    virtual void askAvailable(std::function<void(bool)> answer) = 0;
    // Opens a dialog at the device; ended runs once, on the main thread:
    // added, modified, cancelled, the service gone from the bus, or failed
    // (also when no dialog window shows within a bound after the call).
    virtual void open(const std::string& uri, const std::string& deviceId,
                      std::function<void(NewPrinterOutcome)> ended) = 0;
};

} // namespace platform
