// Starting programs and asking which ones run, on Linux.
#pragma once

#include "platform/Platform.h"

namespace platform::linux_backend {

class ProcessWorkspace final : public Workspace {
public:
    // procRoot stands in for /proc in tests.
    explicit ProcessWorkspace(std::string procRoot = "/proc") : procRoot_(std::move(procRoot)) {}

    // posix_spawn in a session of its own, no shell, no PATH search.
    std::optional<std::string>
    launchApplication(const std::string& path, const std::vector<std::string>& arguments) override;

    // Processes of this user whose command, or whose script, has this name.
    std::optional<int> runningApplicationCount(const std::string& identity) override;

private:
    std::string procRoot_;
};

// True when a process with this comm and command line runs `identity`: as
// its command (comm is cut to 15 characters, so it only decides for short
// names) or as the script its interpreter was given, with or without ".py".
bool processRuns(const std::string& identity, const std::string& comm,
                 const std::vector<std::string>& argv);

} // namespace platform::linux_backend
