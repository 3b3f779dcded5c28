// SPDX-License-Identifier: MIT
#include "app/detection/LogText.h"

using platform::isControl;
using platform::isLayoutControl;
using platform::utf8At;
using platform::Utf8Step;

std::string hexText(std::uint32_t value) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

std::string printable(std::string_view text) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<Utf8Step> step = utf8At(text, at);
        if (step && isLayoutControl(step->codePoint)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += digits[(step->codePoint >> shift) & 0xF];
            at += step->length;
            continue;
        }
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
