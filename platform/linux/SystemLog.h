// SPDX-License-Identifier: MIT
// Log lines go to syslog and, with a timestamp and the process and thread
// ids, to standard error.
#pragma once

#include "platform/Platform.h"

#include <cstddef>
#include <string>

namespace platform::linux_backend {

// The longest line written; a longer one is cut and ends in "…".
inline constexpr std::size_t MostLineBytes = std::size_t{46} * 1024;

class SystemLog final : public Log {
public:
    SystemLog();
    ~SystemLog() override;
    SystemLog(const SystemLog&) = delete;
    SystemLog& operator=(const SystemLog&) = delete;

    void write(const std::string& line) override;
};

// "YYYY-MM-DD HH:MM:SS.mmm runNetlume[pid:tid] text", without the newline.
std::string standardErrorLine(const std::string& text);

} // namespace platform::linux_backend
