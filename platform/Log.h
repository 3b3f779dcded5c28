// SPDX-License-Identifier: MIT
// The system log, where the assistant's lines go.
#pragma once

#include <string>

namespace platform {

class Log {
public:
    virtual ~Log() = default;
    // One line in the system log.
    virtual void write(const std::string& line) = 0;
};

} // namespace platform
