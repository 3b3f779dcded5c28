// SPDX-License-Identifier: MIT
// The desktop-specific constants that the assistant's rules take as given:
// which programs add printers, and how each is opened and recognised. Each
// format holds exactly one "%s", which stands for the program's location
// placed between its quotes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace platform {

// A program that adds printers: the command that opens it, where it is
// found, and the identity its running processes have.
struct AddPrinterProgram {
    std::string openFormat;
    std::string location;
    std::string identity;
};

struct PlatformProfile {
    // In order of preference: the first one installed is the one opened and
    // watched.
    std::vector<AddPrinterProgram> addPrinterPrograms;
    // How often the watcher asks whether the printer-setup program still
    // runs; tests of the watcher shorten it.
    std::chrono::milliseconds addPrinterPollInterval{3000};
};

// Debian and other systemd desktops: system-config-printer, else GNOME's or
// KDE's own printer settings.
const PlatformProfile& linuxProfile();

} // namespace platform
