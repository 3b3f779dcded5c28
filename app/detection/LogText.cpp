// SPDX-License-Identifier: MIT
#include "app/detection/LogText.h"

std::string hexText(std::uint32_t value) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

std::optional<Utf8Step> utf8At(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return Utf8Step{lead, 1};
    // Length, the lead's payload bits, and the smallest value of that length.
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return Utf8Step{value, length};
}

std::string printable(std::string_view text) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<Utf8Step> step = utf8At(text, at);
        if (step && !isControl(step->codePoint)) {
            out.append(text.substr(at, step->length));
            at += step->length;
            continue;
        }
        // A control character shows its code point, a stray byte itself.
        const std::size_t length = step ? step->length : 1;
        const auto value =
            step ? static_cast<unsigned>(step->codePoint) : static_cast<unsigned char>(text[at]);
        out += "\\x";
        out += digits[(value >> 4) & 0xF];
        out += digits[value & 0xF];
        at += length;
    }
    return out;
}
