// SPDX-License-Identifier: MIT
// What both parsers share while they build the value tree they hand on: the
// bounds on its size, and the checks every string and key passes.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/PlistLimits.h"
#include "platform/linux/PlistProblem.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace platform::linux_backend {

class PlistTreeBudget {
public:
    // Counts one more value; a problem once the tree would pass its bound.
    std::optional<PlistProblem> addValue();
    // Counts a string's bytes, and refuses U+0000 and text that is not UTF-8.
    std::optional<PlistProblem> addText(std::string_view utf8);

private:
    std::size_t values_ = 0;
    std::size_t stringBytes_ = 0;
};

// True when text is well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view text);

// Appends code point cp as UTF-8; cp must be a scalar value.
void appendUtf8(std::string& out, char32_t cp);

} // namespace platform::linux_backend
