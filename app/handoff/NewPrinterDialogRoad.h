// SPDX-License-Identifier: MIT
// Add Printer at the device: where the printer settings' service can open
// its new-printer dialog at the attached printer, it is asked to, and its
// answer ends the assistant; otherwise the settings program is opened and
// watched as before.
#pragma once

#include "platform/Platform.h"

#include <functional>
#include <optional>
#include <string>

// The attached printer as the print system addresses it.
struct PrinterAddress {
    std::string uri;
    // IEEE 1284: the printer interface's own, else the one the print system
    // reports.
    std::string deviceId;
};

// The device of the print system's USB list that is the printer: by serial,
// else by maker and model.
std::optional<PrinterAddress> addressOf(const platform::UsbDevice& printer,
                                        const platform::PrintDevices& devices);

// Looks the printer up in the print system's USB list on a thread of its
// own; found gets the answer on the main thread. One log line says what was
// found, or why nothing.
void findPrinterAddress(platform::Platform& platform, const platform::UsbDevice& printer,
                        std::function<void(std::optional<PrinterAddress>)> found);

// The log line for the dialog's end.
std::string dialogOutcomeLine(const platform::NewPrinterOutcome& outcome);
