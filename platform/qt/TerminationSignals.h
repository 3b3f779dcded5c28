// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT and SIGHUP (a session ending, a packager's script, Ctrl+C)
// end the assistant the orderly way, on the main thread, like any other road.
#pragma once

#include "platform/Failure.h"

#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform::qt {

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Nothing when the handlers are in place; otherwise the failed call and
    // the system's reason (the assistant could then never be ended by one).
    const std::optional<Failure>& failure() const { return failure_; }

private:
    std::function<void()> onSignal_;
    std::optional<Failure> failure_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

// True once one of those signals has arrived, even while the main thread was
// too busy to act on it (a slow command at start-up).
bool terminationSignalReceived();

} // namespace platform::qt
