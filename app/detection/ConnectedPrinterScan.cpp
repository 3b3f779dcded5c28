// SPDX-License-Identifier: MIT
#include "app/detection/ConnectedPrinterScan.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "platform/Platform.h"

bool deviceConnected(platform::Platform& platform, bool wifiCatalogue, platform::UsbDevice* found) {
    const std::unique_ptr<platform::UsbIterator> devices = platform.usbRegistry().matchingDevices();
    if (!devices) {
        platform.log().write("fatal error when IOServiceGetMatchingServices");
        return false;
    }

    // Read after the enumeration has started, so an edit made until then counts.
    const DeviceCatalogue catalogue =
        loadDeviceCatalogue(platform, wifiCatalogue ? "wifiDevices" : "otherDevices");
    platform.log().write("appPath:" + objectText(catalogue.application()));

    while (const std::optional<platform::UsbDevice> device = devices->next()) {
        if (catalogue.entriesNaming(device->idVendor, device->idProduct) == 0) continue;
        platform.log().write("found " + hexText(device->idVendor) + " " +
                             hexText(device->idProduct));
        if (found != nullptr) *found = *device;
        return true;
    }
    return false;
}
