// SPDX-License-Identifier: MIT
#include "platform/linux/SystemLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <syslog.h>
#include <unistd.h>

namespace platform::linux_backend {

SystemLog::SystemLog() {
    ::openlog("runNetlume", LOG_PID, LOG_USER);
}

SystemLog::~SystemLog() {
    ::closelog();
}

void SystemLog::write(const std::string& whole) {
    // Within the journal's line (LineMax, 48 KiB by default), which would
    // split a longer one; values are cut far sooner, this holds for any line.
    std::string line = whole;
    if (line.size() > MostLineBytes) {
        std::size_t cut = MostLineBytes;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        line.resize(cut);
        line += "…";
    }
    ::syslog(LOG_NOTICE, "%s", line.c_str());
    // One write per line, so that lines of two threads never interleave.
    const std::string text = standardErrorLine(line) + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (wrote <= 0) break;
        done += static_cast<std::size_t>(wrote);
    }
}

std::string standardErrorLine(const std::string& text) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char prefix[128];
    std::snprintf(prefix, sizeof prefix, "%s.%03d runNetlume[%d:%d] ", stamp,
                  static_cast<int>(millis), static_cast<int>(::getpid()),
                  static_cast<int>(::gettid()));
    return prefix + text;
}

} // namespace platform::linux_backend
