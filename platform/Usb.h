// SPDX-License-Identifier: MIT
// The USB devices attached now, and those attached from now on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

struct UsbDevice {
    UsbDevice() = default;
    UsbDevice(std::uint16_t vendorId, std::uint16_t productId)
        : idVendor(vendorId), idProduct(productId) {}

    std::uint16_t idVendor = 0;
    std::uint16_t idProduct = 0;
    // The device's own strings, empty when it gives none: what tells two
    // printers of one model apart, and what the print system names it after
    // where its device id says nothing.
    std::string serial;
    std::string manufacturer;
    std::string product;
    // The IEEE 1284 device id its printer interface reports, if any, and
    // that interface's number.
    std::string ieee1284Id;
    std::optional<int> printerInterface;
    // Whether it has an IPP-over-USB interface (class 7, subclass 1,
    // protocol 4): one that ipp-usb can serve as a driverless printer.
    bool ippOverUsb = false;
    friend bool operator==(const UsbDevice&, const UsbDevice&) = default;
};

class UsbIterator {
public:
    virtual ~UsbIterator() = default;
    // The next device, or nothing when none is left. A device whose ids
    // cannot be read comes with 0 and 0.
    virtual std::optional<UsbDevice> next() = 0;
};

using UsbAttachCallback = void (*)(void* refCon, UsbIterator* iterator);

class UsbNotificationPort {
public:
    virtual ~UsbNotificationPort() = default;
    // Registers for USB devices attached from now on. The returned iterator
    // first yields the devices already present; once it has been walked to
    // its end, callback(refCon, iterator) runs on the main thread whenever new
    // devices wait in it. Null when the registration fails, after a log line
    // naming the failed call and the system's reason. Destroying the
    // port ends the calls; the iterator may outlive it. When the system says
    // that notifications were lost, every device present then is queued as
    // if newly attached, and the port writes one log line.
    virtual std::unique_ptr<UsbIterator> addFirstMatchNotification(UsbAttachCallback callback,
                                                                   void* refCon) = 0;
};

class UsbRegistry {
public:
    virtual ~UsbRegistry() = default;
    // The USB devices attached now, in the registry's order; null when the
    // enumeration cannot start, after a log line naming the failed call and
    // the system's reason.
    virtual std::unique_ptr<UsbIterator> matchingDevices() = 0;
    // Null when the system gives no notification port, after a log line
    // naming the failed call and the system's reason.
    virtual std::unique_ptr<UsbNotificationPort> createNotificationPort() = 0;
};

} // namespace platform
