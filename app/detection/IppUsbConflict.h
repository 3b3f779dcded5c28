// SPDX-License-Identifier: MIT
// ipp-usb and a driver's queue fighting over one printer. ipp-usb claims a
// printer's IPP-over-USB interface and serves it as a driverless printer on
// a loopback port; a queue that prints through the USB backend then cannot
// reach the printer, and fails or waits for ever.
#pragma once

#include "app/detection/PrintQueueMatch.h"
#include "platform/Platform.h"

#include <optional>
#include <string>
#include <vector>

struct IppUsbConflict {
    // The port on which ipp-usb serves the printer now.
    int port = 0;
    // The printer's queues through the USB backend: none can print while
    // ipp-usb holds the printer.
    std::vector<QueueMatch> blocked;
};

// Whether ipp-usb serves the printer (it has an IPP-over-USB interface and a
// port of ipp-usb's range reports it), with its queues that it blocks; the
// port alone when none is blocked, nothing when ipp-usb does not serve it.
std::optional<IppUsbConflict> ippUsbConflict(const platform::UsbDevice& printer,
                                             const std::vector<QueueMatch>& queues,
                                             const std::vector<platform::IppUsbPort>& ports);

// The two ways out, with the quirk that makes ipp-usb leave the model
// alone as ipp-usb's own documentation words it.
std::string ippUsbRemedy(const platform::UsbDevice& printer);
