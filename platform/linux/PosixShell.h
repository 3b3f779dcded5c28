// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Platform.h"

namespace platform::linux_backend {

// /bin/sh -c COMMAND, started with posix_spawn and waited for. Unlike
// system(), it leaves SIGINT and SIGQUIT as the assistant handles them, so
// Ctrl+C at a terminal reaches the assistant and the command alike, and the
// assistant can stop its start-up when the command has ended.
class PosixShell final : public Shell {
public:
    std::optional<Failure> system(const char* command) override;
};

// Nothing for an exit with status 0; otherwise the status or the signal.
std::optional<Failure> describeWaitStatus(int status);

} // namespace platform::linux_backend
