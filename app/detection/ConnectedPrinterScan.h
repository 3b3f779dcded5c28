// SPDX-License-Identifier: MIT
// Is a printer of one catalogue attached over USB right now? Asked at
// start-up, at most once per catalogue.
#pragma once

namespace platform {
class Platform;
struct UsbDevice;
} // namespace platform

// wifiCatalogue selects "wifiDevices", otherwise "otherDevices". False as well
// when the catalogue or the device enumeration is not available. The device
// found goes to found, when given.
bool deviceConnected(platform::Platform& platform, bool wifiCatalogue,
                     platform::UsbDevice* found = nullptr);
