// SPDX-License-Identifier: MIT
#include "app/detection/LogText.h"

#include <algorithm>

std::string usbIdText(std::uint32_t vid, std::uint32_t pid) {
    std::string vendor = hexText(vid);
    std::string product = hexText(pid);
    return std::string(4 - std::min<std::size_t>(vendor.size(), 4), '0') + vendor + ":" +
           std::string(4 - std::min<std::size_t>(product.size(), 4), '0') + product;
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
