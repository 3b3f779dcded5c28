// SPDX-License-Identifier: MIT
// The desktop-specific constants that the assistant's rules take as given:
// which programs add printers and how each is opened and recognised, how a
// background agent is dropped and reloaded, and the toolkit version that
// gates the USB monitor agent. Each format holds exactly one "%s", which
// stands for the path or program location placed between its quotes.
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
    // How agents are dropped and reloaded: by these two commands through the
    // shell, or by asking the user's service manager for what the commands
    // stand for. Either way a path that would form no command is refused.
    enum class AgentReload { ShellCommands, ServiceManager };
    AgentReload agentReload = AgentReload::ShellCommands;
    std::string agentUnloadFormat;
    std::string agentLoadFormat;
    double toolkitVersion = 0;
    // How often the watcher asks whether the printer-setup program still
    // runs; tests of the watcher shorten it.
    std::chrono::milliseconds addPrinterPollInterval{3000};
};

// Debian and other systemd desktops: system-config-printer, else GNOME's or
// KDE's own printer settings, and the user's systemd instance.
const PlatformProfile& linuxProfile();

} // namespace platform
