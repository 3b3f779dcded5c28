// SPDX-License-Identifier: MIT
// The print system (CUPS here): its queues and the printers its USB backends
// find.
#pragma once

#include "platform/Failure.h"

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace platform {

// A queue of the print system and the device it prints to.
struct PrintQueue {
    std::string name;
    std::string deviceUri;
    // For a queue that prints to a port of this machine in the range where
    // an IPP-over-USB proxy (ipp-usb) serves USB printers: the IEEE 1284
    // device id and the make and model that the port reports for its device.
    // Empty for any other queue, or when the port did not answer.
    std::string portDeviceId = {};
    std::string portMakeAndModel = {};
};

struct PrintQueues {
    std::vector<PrintQueue> queues;
    // Why the print system could not be asked; no queues then.
    std::optional<Failure> failure;
};

// A printer the print system finds on a USB port, as its device list names
// it: what a new queue for it would print to.
struct PrintDevice {
    std::string uri;
    // Its IEEE 1284 device id ("MFG:…;MDL:…;"), empty when it reports none.
    std::string deviceId;
};

struct PrintDevices {
    std::vector<PrintDevice> devices;
    // Why the print system could not be asked; no devices then.
    std::optional<Failure> failure;
};

class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    // The queues as the print system lists them now, within a bound; a stop
    // request ends the question at once. Blocks meanwhile: never on the main
    // thread. Any thread.
    virtual PrintQueues queues(std::stop_token stop) = 0;
    // The printers its USB backends find now, within a bounded search.
    // Blocks meanwhile, as queues() does.
    virtual PrintDevices usbDevices(std::stop_token stop) = 0;
};

} // namespace platform
