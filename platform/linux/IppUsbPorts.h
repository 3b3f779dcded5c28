// SPDX-License-Identifier: MIT
// The ports of an IPP-over-USB proxy (ipp-usb) that print queues print to:
// each port is asked what its printer is, so that a queue on it can be told
// to be the attached printer's. Only once libcups is loaded.
#pragma once

#include "platform/PrintSystem.h"
#include "platform/linux/IppExchange.h"

#include <chrono>
#include <cstddef>
#include <stop_token>
#include <vector>

namespace platform::linux_backend {

// ipp-usb gives each USB printer a port of the loopback interface from this
// one on; a port is asked for two short attributes of its printer. Ports are
// asked side by side, the first few distinct ones: one per USB printer.
inline constexpr int FirstIppUsbPort = 60000;
inline constexpr IppBounds IppUsbPortBounds{std::chrono::milliseconds{3000}, 256U << 10};
inline constexpr std::size_t MostIppUsbPortsAsked = 16;

// Fills in what the ports say of their printers (portDeviceId,
// portMakeAndModel) for the queues that print to one; any number of silent
// ports costs one port's time.
void askIppUsbPorts(std::vector<PrintQueue>& queues, const std::stop_token& stop);

} // namespace platform::linux_backend
