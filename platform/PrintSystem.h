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
    // Whether it can print, as the scheduler says: "idle", "processing" or
    // "stopped" (empty when it did not say), its state reasons as sent
    // (the first MostStateReasons, "none" left out) and how many more
    // there were, and whether it accepts jobs.
    std::string state = {};
    std::vector<std::string> stateReasons = {};
    std::size_t moreStateReasons = 0;
    bool acceptingJobs = true;
};

inline constexpr std::size_t MostStateReasons = 8;

// A loopback port in the range where ipp-usb serves USB printers, and the
// printer it reports there.
struct IppUsbPort {
    int port = 0;
    std::string deviceId;
    std::string makeAndModel;
};

struct PrintQueues {
    std::vector<PrintQueue> queues;
    // Why the print system could not be asked; no queues then.
    std::optional<Failure> failure;
    // The ports of the first few in that range that answered as printers,
    // whether or not a queue prints to them.
    std::vector<IppUsbPort> ippUsbPorts = {};
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
