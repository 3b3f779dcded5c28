// SPDX-License-Identifier: MIT
#include "platform/linux/PlistTreeBuilder.h"

#include "platform/Text.h"

#include <cstring>

namespace platform::linux_backend {

namespace {

PlistProblem tooManyValues() {
    return problemOf(PlistProblem::Kind::Size,
                     "more than " + std::to_string(plist_limits::MaxValues) + " values");
}

} // namespace

std::optional<PlistProblem> PlistTreeBudget::addValue() {
    if (++values_ > plist_limits::MaxValues) return tooManyValues();
    return std::nullopt;
}

std::optional<PlistProblem> PlistTreeBudget::roomFor(std::size_t count) const {
    if (count > plist_limits::MaxValues - values_) return tooManyValues();
    return std::nullopt;
}

std::optional<PlistProblem> PlistTreeBudget::roomForText(std::size_t bytes) const {
    if (bytes > plist_limits::MaxStringBytes - stringBytes_)
        return problemOf(PlistProblem::Kind::Size,
                         "strings and keys of more than " +
                             std::to_string(plist_limits::MaxStringBytes) + " bytes");
    return std::nullopt;
}

std::optional<PlistProblem> PlistTreeBudget::addText(std::string_view utf8) {
    if (auto problem = roomForText(utf8.size())) return problem;
    stringBytes_ += utf8.size();
    // One pass for both: nearly every text is ASCII.
    bool plain = true;
    for (const char c : utf8) {
        if (c == '\0') return problemOf(PlistProblem::Kind::Nul, "a string or key holds U+0000");
        plain = plain && static_cast<unsigned char>(c) < 0x80;
    }
    if (!plain && !isUtf8(utf8))
        return problemOf(PlistProblem::Kind::Encoding, "a string or key is not valid text");
    return std::nullopt;
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::optional<Utf8Step> step = utf8At(text, at);
        if (!step) return false;
        at += step->length;
    }
    return true;
}

char* writeUtf8(char* out, char32_t cp) {
    const auto put = [&out](unsigned value) { *out++ = static_cast<char>(value); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace platform::linux_backend
