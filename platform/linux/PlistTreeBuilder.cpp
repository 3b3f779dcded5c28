// SPDX-License-Identifier: MIT
#include "platform/linux/PlistTreeBuilder.h"

#include "platform/Text.h"

#include <cstring>

namespace platform::linux_backend {

std::optional<PlistProblem> PlistTreeBudget::addValue() {
    if (++values_ > plist_limits::MaxValues)
        return problemOf(PlistProblem::Kind::Size,
                         "more than " + std::to_string(plist_limits::MaxValues) + " values");
    return std::nullopt;
}

std::optional<PlistProblem> PlistTreeBudget::addText(std::string_view utf8) {
    stringBytes_ += utf8.size();
    if (stringBytes_ > plist_limits::MaxStringBytes)
        return problemOf(PlistProblem::Kind::Size,
                         "strings and keys of more than " +
                             std::to_string(plist_limits::MaxStringBytes) + " bytes");
    if (std::memchr(utf8.data(), 0, utf8.size()) != nullptr)
        return problemOf(PlistProblem::Kind::Nul, "a string or key holds U+0000");
    if (!isUtf8(utf8))
        return problemOf(PlistProblem::Kind::Encoding, "a string or key is not valid text");
    return std::nullopt;
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<Utf8Step> step = utf8At(text, at);
        if (!step) return false;
        at += step->length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace platform::linux_backend
