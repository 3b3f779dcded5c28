// SPDX-License-Identifier: MIT
// Before anything is shown, the driver's background agents that the Wi-Fi
// catalogue lists are dropped and loaded again through the user's service
// manager, one after the other, then the USB monitor agent; the loaded ones
// are started together.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class Platform;
}

// A driver names a handful of agents; a list beyond this is a fault, and
// each agent costs two requests of the manager before the first window.
constexpr std::size_t MaxLaunchAgents = 64;

// Which listed agent paths are reloaded, by their place in the list: each
// distinct path once, at its first place, and at most MaxLaunchAgents.
struct AgentSelection {
    std::vector<std::size_t> reloaded;
    std::vector<std::size_t> repeated; // places of a path listed before
    std::size_t skipped = 0;           // distinct paths beyond the limit
};
AgentSelection selectAgents(const std::vector<std::string>& paths);

// Returns when every unload and load it asked for has ended (the starts are
// awaited beside the window); what fails changes nothing that follows, and
// each failure is one log line naming the agent. A path listed again, and paths beyond the limit, are
// each one log line; an unreachable manager is one line and nothing more.
void refreshLaunchAgents(platform::Platform& platform);
