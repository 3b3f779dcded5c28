// SPDX-License-Identifier: MIT
// Reading text, for the assistant and its readers alike: hexadecimal digits
// (catalogue ids, character references, USB ids from sysfs) and UTF-8; and
// the one rule by which text from outside is shown.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// 0 to 15, or -1 for a character that is no hexadecimal digit.
constexpr int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code point that starts at `at` and its length in bytes, when the bytes
// there are well-formed UTF-8 (no overlong form, surrogate or value past
// U+10FFFF); nothing otherwise.
struct Utf8Step {
    char32_t codePoint;
    std::size_t length;
};
constexpr std::optional<Utf8Step> utf8At(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return Utf8Step{lead, 1};
    // The length, the lead's payload bits, and the least value of that length.
    std::size_t length = 4;
    char32_t value = lead & 0x07;
    char32_t least = 0x10000;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead < 0xF0 || lead > 0xF4) {
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

// A control character (C0, DEL or C1): a terminal may act on it.
constexpr bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A character that changes the layout of the text around it: the line and
// paragraph separators, which break a line in a window or a log reader, and
// the bidirectional marks, embeddings and isolates, which reorder it.
constexpr bool isLayoutControl(char32_t c) {
    return c == 0x2028 || c == 0x2029 || c == 0x200E || c == 0x200F || c == 0x061C ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// What text from outside may not show as it is, wherever it goes.
constexpr bool mustEscape(char32_t c) {
    return isControl(c) || isLayoutControl(c);
}

// How much of one value from outside is shown: far more than any name or
// path a user meets, and small enough that 20 of them fit a journal line.
inline constexpr std::size_t MostShownBytes = 2048;

// Text from outside (a path, a catalogue's string, a printer's or a queue's
// name, a service's answer) as a log line, a terminal or a window may show
// it: a control character as \xNN of its code point, a line separator or a
// bidirectional control as \uNNNN, a byte that is no UTF-8 as \xNN of
// itself; everything else as it is. Past MostShownBytes the rest is "…".
inline std::string printable(std::string_view text) {
    constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() < MostShownBytes ? text.size() : MostShownBytes);
    for (std::size_t at = 0; at < text.size();) {
        if (out.size() >= MostShownBytes) {
            out += "…";
            break;
        }
        const std::optional<Utf8Step> step = utf8At(text, at);
        if (step && !mustEscape(step->codePoint)) {
            out.append(text.substr(at, step->length));
            at += step->length;
            continue;
        }
        const char32_t value = step ? step->codePoint : static_cast<unsigned char>(text[at]);
        out += value > 0xFF ? "\\u" : "\\x";
        for (int shift = value > 0xFF ? 12 : 4; shift >= 0; shift -= 4)
            out += digits[(value >> shift) & 0xF];
        at += step ? step->length : 1;
    }
    return out;
}

} // namespace platform
