// SPDX-License-Identifier: MIT
// The print system (CUPS), asked through its own library for its queues.
// Every exchange is bounded, so that a scheduler that hangs costs a few
// seconds of a background thread and nothing else.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/IppExchange.h"
#include "platform/linux/IppUsbPorts.h"

#include <chrono>
#include <cstddef>

namespace platform::linux_backend {

// One exchange with the scheduler, connection and whole answer: a local
// scheduler with a few hundred queues answers in milliseconds, and their
// names and device URIs take some tens of KiB.
inline constexpr IppBounds SchedulerBounds{std::chrono::milliseconds{5000}, 1U << 20};
// How long the scheduler's USB backends may look for printers, beside it.
inline constexpr std::chrono::milliseconds UsbSearchTime{5000};

class CupsPrintSystem final : public PrintSystem {
public:
    PrintQueues queues(std::stop_token stop) override;
    PrintDevices usbDevices(std::stop_token stop) override;
};

} // namespace platform::linux_backend
