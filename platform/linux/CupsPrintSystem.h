// SPDX-License-Identifier: MIT
// The print system (CUPS), asked through its own library for its queues.
// Every exchange is bounded, so that a scheduler that hangs costs a few
// seconds of a background thread and nothing else.
#pragma once

#include "platform/Platform.h"

#include <chrono>

namespace platform::linux_backend {

// How long connecting, and then one answer, may take.
inline constexpr std::chrono::milliseconds PrintSystemConnectTime{2000};
inline constexpr std::chrono::milliseconds PrintSystemAnswerTime{3000};
// How long the scheduler's USB backends may look for printers.
inline constexpr std::chrono::milliseconds UsbSearchTime{5000};

// ipp-usb gives each USB printer a port of the loopback interface from this
// one on.
inline constexpr int FirstIppUsbPort = 60000;

class CupsPrintSystem final : public PrintSystem {
public:
    PrintQueues queues() override;
    PrintDevices usbDevices() override;
};

} // namespace platform::linux_backend
