// SPDX-License-Identifier: MIT
// Other programs: started, counted, looked for, and commands for the shell.
#pragma once

#include "platform/Failure.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class Workspace {
public:
    virtual ~Workspace() = default;
    // Starts the program at path as a new, independent process with these
    // arguments behind its name. Why it could not, or nothing.
    virtual std::optional<Failure> launchApplication(const std::string& path,
                                                     const std::vector<std::string>& arguments) = 0;
    // How many programs with this identity the user runs now; nothing when
    // the system gives no answer. Callable from any thread.
    virtual std::optional<int> runningApplicationCount(const std::string& identity) = 0;
    // Whether the program at location (a path, or a name the shell finds)
    // is installed and can be run. Callable from any thread.
    virtual bool isInstalled(const std::string& location) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Hands the command line to the standard shell and waits for its end.
    // Nothing when it exited with status 0; otherwise why not: "exit status
    // 5", "killed by signal 9 (Killed)", or that the shell could not be
    // started and the system's reason (errno).
    virtual std::optional<Failure> system(const char* command) = 0;
};

} // namespace platform
