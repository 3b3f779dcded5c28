// SPDX-License-Identifier: MIT
#include "app/detection/LogText.h"

#include <cstdio>

std::string usbIdText(std::uint32_t vid, std::uint32_t pid) {
    char text[24];
    std::snprintf(text, sizeof text, "%04x:%04x", vid, pid);
    return text;
}

std::string hexText(std::uint32_t value) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}
