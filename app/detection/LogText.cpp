// SPDX-License-Identifier: MIT
#include "app/detection/LogText.h"

#include <cstdio>

std::string usbIdText(std::uint32_t vid, std::uint32_t pid) {
    char text[24];
    std::snprintf(text, sizeof text, "%04x:%04x", vid, pid);
    return text;
}

std::string hexText(std::uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    return text;
}
