// SPDX-License-Identifier: MIT
// The USB registry over libudev: every device of subsystem "usb" and type
// "usb_device", and a netlink monitor for the ones plugged in later.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/FdWatcher.h"

#include <cstdint>
#include <optional>

struct udev_device;

namespace platform::linux_backend {

class UdevRegistry final : public UsbRegistry {
public:
    // log, when given, gets one line each time notifications were lost, and
    // one naming the failed call and errno when devices cannot be listed or
    // notifications cannot be set up.
    explicit UdevRegistry(FdWatcher& watcher, Log* log = nullptr) : watcher_(watcher), log_(log) {}

    std::unique_ptr<UsbIterator> matchingDevices() override;
    std::unique_ptr<UsbNotificationPort> createNotificationPort() override;

private:
    FdWatcher& watcher_;
    Log* log_;
};

// A device's ids from its idVendor/idProduct attributes, falling back to the
// PRODUCT property of its uevent (a device already gone from sysfs); 0 and 0
// when neither can be read. Its serial, manufacturer and product strings
// where sysfs has them.
UsbDevice usbDevice(udev_device* device);

// Four hexadecimal digits at most, nothing else.
std::optional<std::uint16_t> parseUsbId(const char* text);

} // namespace platform::linux_backend
