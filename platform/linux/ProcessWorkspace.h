// SPDX-License-Identifier: MIT
// Starting programs and asking which ones run, on Linux.
#pragma once

#include "platform/Platform.h"

namespace platform::linux_backend {

class ProcessWorkspace final : public Workspace {
public:
    // procRoot stands in for /proc in tests.
    explicit ProcessWorkspace(std::string procRoot = "/proc") : procRoot_(std::move(procRoot)) {}

    // posix_spawn in a session of its own, no shell, no PATH search.
    std::optional<Failure> launchApplication(const std::string& path,
                                             const std::vector<std::string>& arguments) override;

    // Processes of this user that run the program of this name (see
    // processRuns), read from /proc. Callable from any thread.
    std::optional<int> runningApplicationCount(const std::string& identity) override;

    // A path is taken as it is; a bare name is looked for along PATH, as the
    // shell would. Callable from any thread.
    bool isInstalled(const std::string& location) override;

private:
    std::string procRoot_;
};

// True when a process runs the program `identity`: its executable (the
// target of /proc/PID/exe; argv[0] when that cannot be read) has that name,
// or it is a known interpreter (sh, bash, dash, python3, perl) running a
// script of that name, with or without ".py", by path. A reader, editor,
// pager or `man` naming the file does not run it.
bool processRuns(const std::string& identity, const std::optional<std::string>& executable,
                 const std::vector<std::string>& argv);

} // namespace platform::linux_backend
