// SPDX-License-Identifier: MIT
// How each USB device attached now fares against the catalogues: what
// support asks for when "the printer is plugged in but not found".
#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

class DeviceCatalogue;

namespace check {

enum class Verdict { WifiModel, UsbOnlyModel, MakerUnknownModel, Other };

struct DeviceVerdict {
    platform::UsbDevice device;
    Verdict verdict;
};

// In the assistant's order: the Wi-Fi catalogue decides first. The maker's
// vendor ids are those the catalogues list.
std::vector<DeviceVerdict> judgeDevices(const std::vector<platform::UsbDevice>& devices,
                                        const DeviceCatalogue& wifi, const DeviceCatalogue& other);

std::string devicesAsText(const std::vector<DeviceVerdict>& verdicts);
std::string devicesAsJson(const std::vector<DeviceVerdict>& verdicts);

} // namespace check
