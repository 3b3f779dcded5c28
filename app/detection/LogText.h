// SPDX-License-Identifier: MIT
// How values read in log lines: the original desktop's "%@" and "%x".
#pragma once

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

// The code point that starts at `at` and its length in bytes, when the bytes
// there are well-formed UTF-8 (no overlong form, surrogate or value past
// U+10FFFF); nothing otherwise.
struct Utf8Step {
    char32_t codePoint;
    std::size_t length;
};
std::optional<Utf8Step> utf8At(std::string_view text, std::size_t at);

// A control character (C0, DEL or C1): a terminal may act on it.
constexpr bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Text from outside (a path, a catalogue's string) as it may reach a log
// line or a terminal: control characters and bytes that are no UTF-8 are
// shown as \xNN escapes, everything else as it is.
std::string printable(std::string_view text);
