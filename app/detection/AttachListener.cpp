// SPDX-License-Identifier: MIT
#include "app/detection/AttachListener.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/runNetlumeAppDelegate.h"
#include "platform/Platform.h"

#include <memory>

namespace {

// Process-wide, touched on the main thread only; owned by the listener from
// its start until its stop.
std::unique_ptr<platform::UsbNotificationPort> gNotificationPort;
std::unique_ptr<platform::UsbIterator> gAttachIter;

} // namespace

void DeviceAttach(void* refCon, platform::UsbIterator* iterator) {
    auto& controller = *static_cast<runNetlumeAppDelegate*>(refCon);
    platform::Platform& platform = controller.platformServices();
    platform.log().write("DeviceAttach");

    const DeviceCatalogue wifi = loadDeviceCatalogue(platform, "wifiDevices");
    const DeviceCatalogue other = loadDeviceCatalogue(platform, "otherDevices");
    if (iterator == nullptr) return;

    // Per call, not per device: a Wi-Fi printer suppresses the other catalogue
    // for the devices that follow it in this call only.
    bool matchedWifi = false;
    while (const std::optional<platform::UsbDevice> device = iterator->next()) {
        const std::size_t wifiEntries = wifi.entriesNaming(device->idVendor, device->idProduct);
        if (wifiEntries > 0) controller._noteAttachedPrinter(*device);
        for (std::size_t n = wifiEntries; n > 0; --n) {
            controller._showLaunchToolScreen();
            matchedWifi = true;
        }
        if (matchedWifi) continue;
        const std::size_t otherEntries = other.entriesNaming(device->idVendor, device->idProduct);
        if (otherEntries > 0) controller._noteAttachedPrinter(*device);
        for (std::size_t n = otherEntries; n > 0; --n)
            controller._showAddPrinterWindow(true);
    }
}

void startListeningUSBDevices(runNetlumeAppDelegate& controller) {
    platform::Platform& platform = controller.platformServices();
    platform.log().write("-[runNetlumeAppDelegate _startListeningUSBDevices]");

    gNotificationPort = platform.usbRegistry().createNotificationPort();
    if (gNotificationPort)
        gAttachIter = gNotificationPort->addFirstMatchNotification(DeviceAttach, &controller);
    if (!gAttachIter)
        platform.log().write("USB attach notifications are unavailable; waiting for the user");

    // The arming call: a printer plugged in since the start-up scan is acted
    // upon here, before the start returns.
    DeviceAttach(&controller, gAttachIter.get());
}

void stopListeningUSBDevices(platform::Log& log) {
    log.write("-[runNetlumeAppDelegate _stopListeningUSBDevices]");
    gNotificationPort.reset();
    gAttachIter.reset();
}

bool attachListenerRunning() {
    return gNotificationPort != nullptr;
}
