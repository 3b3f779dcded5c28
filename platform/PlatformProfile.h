// The desktop-specific constants that the assistant's rules take as given:
// which program adds printers and how it is opened and recognised, how a
// background agent is dropped and reloaded, and the toolkit version that
// gates the USB monitor agent. Each format holds exactly one "%s", which
// stands for the path or program location placed between its quotes.
#pragma once

#include <string>

namespace platform {

struct PlatformProfile {
    std::string addPrinterOpenFormat;
    std::string addPrinterLocation;
    std::string addPrinterIdentity;
    std::string agentUnloadFormat;
    std::string agentLoadFormat;
    double toolkitVersion = 0;
};

// Debian and other systemd desktops: system-config-printer and the user's
// systemd instance.
const PlatformProfile& linuxProfile();

// The desktop the assistant was first written for; kept so that the exact
// command texts of that desktop stay checked.
const PlatformProfile& classicMacProfile();

} // namespace platform
