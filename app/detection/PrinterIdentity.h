// SPDX-License-Identifier: MIT
// A USB printer as the print system knows it. CUPS's usb backend names a
// printer, and the URI of every queue it makes for it
// ("usb://HP/LaserJet%20Professional%20P1102?serial=X&interface=1"), from
// the printer's IEEE 1284 device id, not from its USB strings: these often
// say something else ("Canon CAPT USB Device" for an LBP2900). The assistant
// reads the printer by the backend's rules, so that what the print system
// lists for it is recognised as its own.
#pragma once

#include "platform/Platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PrinterIdentity {
    // As the backend writes it into URIs: "HP" for "Hewlett-Packard".
    std::string maker;
    // Without the maker in front: "LaserJet Professional P1102".
    std::string model;
    // Every serial number the printer gives, its device id's and its USB
    // descriptor's: the backend has preferred either over the years, and
    // some printers report a made-up one in the id.
    std::vector<std::string> serials;
    // The number of the printer interface that the id was read from, where
    // the system says.
    std::optional<int> interface;
};

// From the printer interface's device id; what the id leaves out (or all,
// without one) from the USB strings, as the backend does.
PrinterIdentity printerIdentity(const platform::UsbDevice& device);

// The maker once, then the model: "HP LaserJet Professional P1102". Empty
// when the printer names neither.
std::string printerName(const PrinterIdentity& identity);

// Whether maker and model, as a URI or a device id gives them, are this
// printer's model. Letters and digits decide ("HP_LaserJet P1005" and
// "hp laserjet-p1005" are one model); a maker written into the model counts
// once; without a maker, as maker drivers write their URIs
// ("hp:/usb/HP_LaserJet_P1005"), the model alone decides.
bool isSameModel(const PrinterIdentity& identity, std::string_view maker, std::string_view model);
