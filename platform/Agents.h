// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Failure.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A connection to the user's own service manager, where the desktop's
// agents are its units (systemd's user instance): asked directly rather than
// through commands, so that reloading any number of agents costs the manager
// at most one reading of all its unit files. Unloads and loads wait for what
// they asked to end; starts are asked for, and awaited apart. Failures keep
// the manager's own words and error names. Closed when released.
struct AgentStarts {
    // Why the manager could not read the agents' files anew, if it had to.
    std::optional<Failure> rereadFailure;
    // One per agent, in order: nothing once its start is under way, or why
    // it could not be asked for.
    std::vector<std::optional<Failure>> failures;
};

class AgentManager {
public:
    virtual ~AgentManager() = default;
    // Stops the agent whose unit file is at path and disables it. An agent
    // the manager does not know is nothing to undo, no failure.
    virtual std::optional<Failure> unload(const std::string& path) = 0;
    // Links the unit file at path among the user's units and enables it.
    virtual std::optional<Failure> load(const std::string& path) = 0;
    // Has the manager read the files of the loaded agents anew where it must,
    // then asks it to start them side by side, without waiting for them.
    virtual AgentStarts start(const std::vector<std::string>& paths) = 0;
    // Waits for the starts of the last start() to end (bounded). One per
    // agent of that call, in order: nothing once it runs or when its start
    // was never under way, or why it does not run.
    virtual std::vector<std::optional<Failure>> awaitStarts() = 0;
};

// The connection, or why the manager cannot be asked.
struct AgentManagerConnection {
    std::unique_ptr<AgentManager> manager;
    Failure failure;
};

} // namespace platform
