// SPDX-License-Identifier: MIT
// How each USB device attached now fares against the catalogues: what
// support asks for when "the printer is plugged in but not found".
#pragma once

#include "app/detection/IppUsbConflict.h"
#include "app/detection/PrintQueueMatch.h"
#include "platform/Platform.h"

#include <optional>

#include <string>
#include <vector>

class DeviceCatalogue;

namespace check {

enum class Verdict { WifiModel, UsbOnlyModel, MakerUnknownModel, Other };

struct DeviceVerdict {
    platform::UsbDevice device;
    Verdict verdict;
    // The print queues that print to it, or none when the print system
    // could not be asked.
    std::optional<std::vector<QueueMatch>> queues;
    // Whether ipp-usb serves it, and the queues it keeps from printing.
    std::optional<IppUsbConflict> ippUsb;
};

// In the assistant's order: the Wi-Fi catalogue decides first. The maker's
// vendor ids are those the catalogues list. Each device's queues are looked
// for among the print system's answer.
std::vector<DeviceVerdict> judgeDevices(const std::vector<platform::UsbDevice>& devices,
                                        const DeviceCatalogue& wifi, const DeviceCatalogue& other,
                                        const platform::PrintQueues& queues);

// Why the print system could not be asked is said once, after the devices.
std::string devicesAsText(const std::vector<DeviceVerdict>& verdicts,
                          const std::optional<platform::Failure>& queuesUnknown);
std::string devicesAsJson(const std::vector<DeviceVerdict>& verdicts,
                          const std::optional<platform::Failure>& queuesUnknown);

} // namespace check
