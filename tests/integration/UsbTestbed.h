// SPDX-License-Identifier: MIT
// Emulated USB devices for tests that run under umockdev's preload: the
// process's libudev, and that of every program it starts, sees only these.
#pragma once

#include <umockdev.h>

#include <string>

class Testbed {
public:
    Testbed() : testbed_(umockdev_testbed_new()) {}
    ~Testbed() { g_object_unref(testbed_); }
    Testbed(const Testbed&) = delete;
    Testbed& operator=(const Testbed&) = delete;

    std::string add(const char* name, const char* vid, const char* pid,
                    const char* type = "usb_device") {
        gchar* path = umockdev_testbed_add_device(testbed_, "usb", name, nullptr, "idVendor", vid,
                                                  "idProduct", pid, nullptr, "DEVTYPE", type,
                                                  "PRODUCT", "0/0/0", nullptr);
        std::string syspath = path != nullptr ? path : "";
        g_free(path);
        return syspath;
    }
    // A printer with its own strings, udev's summary of its interfaces, and
    // the printer interface on which the class driver shows the device id it
    // read from the printer.
    std::string addPrinter(const char* name, const char* serial, const char* deviceId,
                           const char* interfaces = ":070102:") {
        gchar* path = umockdev_testbed_add_device(
            testbed_, "usb", name, nullptr, "idVendor", "04b8", "idProduct", "1234", "serial",
            serial, "manufacturer", "Acme", "product", "Laser 1", nullptr, "DEVTYPE", "usb_device",
            "ID_USB_INTERFACES", interfaces, nullptr);
        std::string syspath = path != nullptr ? path : "";
        g_free(path);
        gchar* interface = umockdev_testbed_add_device(
            testbed_, "usb", (std::string(name) + ":1.1").c_str(), syspath.c_str(), "ieee1284_id",
            deviceId, "bInterfaceNumber", "01", nullptr, "DEVTYPE", "usb_interface", nullptr);
        g_free(interface);
        return syspath;
    }
    void uevent(const std::string& syspath, const char* action) {
        umockdev_testbed_uevent(testbed_, syspath.c_str(), action);
    }

private:
    UMockdevTestbed* testbed_;
};
