// SPDX-License-Identifier: MIT
// The ports of an IPP-over-USB proxy (ipp-usb): those that print queues
// print to, so that a queue on one can be told to be the attached printer's,
// and the first few of its range, so that a printer it serves is known with
// or without a queue. Each is asked what its printer is. Only once libcups
// is loaded.
#pragma once

#include "platform/PrintSystem.h"
#include "platform/linux/IppExchange.h"

#include <chrono>
#include <cstddef>
#include <stop_token>
#include <vector>

namespace platform::linux_backend {

// ipp-usb gives each USB printer a port of the loopback interface from this
// one on, the first free one, and serves it at the path that IPP Everywhere
// printers use; a port is asked for two short attributes of its printer.
// Ports are asked side by side, the first few distinct ones of the queues
// and the first few of the range: one per USB printer.
inline constexpr int FirstIppUsbPort = 60000;
inline constexpr const char* IppUsbPath = "/ipp/print";
inline constexpr IppBounds IppUsbPortBounds{std::chrono::milliseconds{3000}, 256U << 10};
inline constexpr std::size_t MostIppUsbPortsAsked = 16;
inline constexpr int IppUsbPortsScanned = 8;

// Fills in what the ports say of their printers: portDeviceId and
// portMakeAndModel of the queues that print to one, and the ports of the
// range that answered. Any number of silent ports costs one port's time.
void askIppUsbPorts(PrintQueues& found, const std::stop_token& stop);

} // namespace platform::linux_backend
