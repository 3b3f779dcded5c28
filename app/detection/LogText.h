// SPDX-License-Identifier: MIT
// How values read in log lines: the original desktop's "%@" and "%x".
#pragma once

#include "platform/Text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A string, or "(null)" for a missing one.
inline std::string objectText(const std::optional<std::string>& value) {
    return value.value_or("(null)");
}

// Lower-case hexadecimal without prefix or leading zeros.
std::string hexText(std::uint32_t value);

// A model's USB ids as lsusb, the checker and ipp-usb's quirks write them:
// "04b8:0e28".
std::string usbIdText(std::uint32_t vid, std::uint32_t pid);

// Text from outside, as it may reach a log line, a terminal or a window.
using platform::printable;
